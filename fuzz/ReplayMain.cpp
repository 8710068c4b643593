// Runs a fuzz target's checks once over each file of the folders (or files)
// named on the command line, as libFuzzer would hand them over. A failed
// check aborts; a missing folder counts as empty.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

void replay(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char** argv)
{
    size_t inputs = 0;
    for (int i = 1; i < argc; ++i) {
        fs::path place = argv[i];
        std::error_code ec;
        if (fs::is_regular_file(place, ec)) {
            replay(place);
            ++inputs;
            continue;
        }
        if (!fs::is_directory(place, ec))
            continue;
        for (auto& entry : fs::directory_iterator(place)) {
            if (entry.is_regular_file()) {
                replay(entry.path());
                ++inputs;
            }
        }
    }
    std::printf("%zu inputs held\n", inputs);
    return 0;
}
