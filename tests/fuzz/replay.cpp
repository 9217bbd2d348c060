// Runs a fuzz target over saved inputs without libFuzzer, so the corpus (seeds and
// every input that once broke a property) is replayed by the ordinary tests with
// the ordinary compiler. Arguments: files or folders of inputs.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "fuzz.h"

int main(int argc, char** argv) {
    std::size_t count = 0;
    const auto replay = [&count](const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++count;
    };
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path p = argv[i];
        if (!std::filesystem::is_directory(p)) replay(p);
        else
            for (const auto& e : std::filesystem::directory_iterator(p))
                if (e.is_regular_file()) replay(e.path());
    }
    if (count == 0) return std::cerr << "no inputs to replay\n", 1;
    std::cout << count << " inputs replayed\n";
    return 0;
}
