// A small stand-in for libFuzzer where the compiler has none (g++): the
// seed corpus mutated at random for a given time, each input given to
// LLVMFuzzerTestOneInput; a crash or a sanitizer's report ends the run.
//   tables_fuzz -max_total_time=<seconds> <corpus folder>...
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// Texts that lead the request handling and the readers down their paths.
const char* const kWords[] = {"\r\n", "\r\n\r\n", " ", "%00", "%2e%2e", "/", "?", "&", "=", "..", "\\", ":",
                              "Content-Length: ", "Transfer-Encoding: chunked", "Content-Type: application/json",
                              "Host: 127.0.0.1", "Authorization: Bearer TOKEN", "/api/result", "/api/state?table=",
                              "/api/players?name=", "{\"table\":", "1e300", "-1", "2147483648", "\"kind\":\"split\"",
                              "\"seats\":{\"N\":{\"name\":\"", "BYE", "£", "\xc3\xa9", "\xff", "Entame=?", "$$", "$",
                              "4PN=", "PASSE", "N DELETE", "65", "2555555", "0", "99999999999"};

std::string mutate(std::string s, const std::vector<std::string>& seeds, std::mt19937_64& random) {
  const int steps = 1 + static_cast<int>(random() % 6);
  for (int i = 0; i < steps; ++i) {
    const std::size_t at = s.empty() ? 0 : random() % (s.size() + 1);
    switch (random() % 7) {
      case 0:
        if (at < s.size()) s[at] = static_cast<char>(s[at] ^ (1 << (random() % 8)));
        break;
      case 1:
        if (at < s.size()) s[at] = static_cast<char>(random());
        break;
      case 2:
        s.insert(at, 1, static_cast<char>(random()));
        break;
      case 3:
        if (at < s.size()) s.erase(at, 1 + random() % std::min<std::size_t>(16, s.size() - at));
        break;
      case 4:
        s.insert(at, kWords[random() % std::size(kWords)]);
        break;
      case 5: {  // a piece repeated
        if (at >= s.size()) break;
        const std::string piece = s.substr(at, 1 + random() % 8);
        const std::size_t times = 1 + random() % 64;
        for (std::size_t k = 0; k < times && s.size() < 60000; ++k) s.insert(at, piece);
        break;
      }
      default: {  // spliced with another seed (its kind byte kept)
        const std::string& other = seeds[random() % seeds.size()];
        if (other.size() > 1) s.insert(at, other.substr(1 + random() % (other.size() - 1)));
        break;
      }
    }
  }
  if (s.size() > 65536) s.resize(65536);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 20;
  std::vector<std::string> seeds;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "-max_total_time=", 16) == 0) {
      seconds = std::atof(argv[i] + 16);
      continue;
    }
    if (argv[i][0] == '-') continue;  // libFuzzer's other options
    for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
      std::ifstream in(entry.path(), std::ios::binary);
      seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  if (seeds.empty()) seeds.emplace_back("H");
  std::mt19937_64 random(std::random_device{}());
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  long runs = 0;
  for (const std::string& seed : seeds) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(seed.data()), seed.size());
    ++runs;
  }
  while (std::chrono::steady_clock::now() < end) {
    const std::string input = mutate(seeds[random() % seeds.size()], seeds, random);
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    ++runs;
  }
  std::printf("%ld inputs in %.0f s, no fault\n", runs, seconds);
  return 0;
}
