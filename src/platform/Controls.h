#pragma once

#include <cstddef>
#include <cstdint>

namespace orvanto {

// The 51 controls of the main window, in the order the window description lists them.
// Names follow the kind prefixes: btn_ button, inp_ text box, dsp_ label, frme_ frame,
// lst_ list, img_ image, pct_ picture box.
enum class Ctl : std::uint8_t {
  // directly on the window
  btn_LangSwitch,
  frme_Step2,
  frme_Step1,
  frme_Calculation,
  dsp_Anleitung,
  img_Sprache,
  img_Deutsch,
  img_English,
  Label19,
  // in frme_Step1
  lst_Drive,
  lst_Path,
  lst_File,
  inp_Filename,
  btn_MakeCFFL,
  dsp_Outputdir,
  dsp_LabelCFFLName,
  Label17,
  // in frme_Step2
  btn_Calculate,
  inp_SourceSize,
  inp_DestSize,
  inp_Playtime,
  inp_Bitrate,
  inp_SafeGuard,
  dsp_Duration,
  dsp_MBit,
  dsp_SizeOutput,
  dsp_DestSize,
  dsp_Playtime,
  dsp_Bitrate,
  Label5,
  Label6,
  Label7,
  dsp_Safety,
  Label14,
  Label15,
  // in frme_Calculation
  pct_Range,
  dsp_NewBr,
  dsp_Factor,
  dsp_DestFactor,
  dsp_SizeMovie,
  dsp_FilmSize,
  dsp_SizeAudio,
  dsp_AudioSize,
  dsp_DestFilmSize,
  dsp_DestAudioSize,
  Line1,
  dsp_SumSource,
  dsp_SumDest,
  dsp_Source,
  dsp_Destination,
  Line2,
};

inline constexpr std::size_t kControlCount = 51;

constexpr std::size_t Index(Ctl control) { return static_cast<std::size_t>(control); }

}  // namespace orvanto
