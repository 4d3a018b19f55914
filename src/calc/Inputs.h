#pragma once

#include "common/KavelModules.h"
#include "platform/Form.h"

namespace orvanto {

// The number a text box holds, read German-style from its current text: nothing is cached, so
// every step sees what the box holds at that moment.
inline double NumberIn(Form& form, Ctl box) { return KavelModules::ParseNumber(form.Text(box)); }

}  // namespace orvanto
