// Runs a fuzz target over saved inputs without libFuzzer, so the corpus (seeds and
// every input that once broke a property) is replayed by the ordinary tests with
// the ordinary compiler. Arguments: files or folders of inputs.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "fuzz.h"

namespace {

void replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path p = argv[i];
        if (std::filesystem::is_directory(p)) {
            for (const auto& e : std::filesystem::directory_iterator(p))
                if (e.is_regular_file()) {
                    replay(e.path());
                    ++count;
                }
        } else {
            replay(p);
            ++count;
        }
    }
    if (count == 0) {
        std::cerr << "no inputs to replay\n";
        return 1;
    }
    std::cout << count << " inputs replayed\n";
    return 0;
}
