// Feeds every file of the corpus directory given to a fuzz target once, so that the seeds run with
// each test run, without libFuzzer. A broken property aborts, which fails the test.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int, char** argv) {
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
    std::ostringstream file;
    file << std::ifstream(entry.path(), std::ios::binary).rdbuf();
    const std::string bytes = file.str();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ++inputs;
  }
  return inputs > 0 ? 0 : 1;  // an empty corpus checks nothing
}
