// Feeds arbitrary bytes as a BMP file to the PDF writer's image loader.
#include "pdf/clsPDFCreator.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// The file each input is written to, removed when the fuzzer ends.
class InputFile {
public:
    InputFile() {
        char name[] = "/tmp/zentavo-fuzz-bmp-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd < 0) {
            std::abort();
        }
        ::close(fd);
        m_path = name;
    }
    ~InputFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const InputFile inputFile;
    const std::string& input = inputFile.Path();
    FILE* file = std::fopen(input.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::abort();
    }
    clsPDFCreator pdf;
    pdf.EncodeASCII85(size % 2 == 1);
    std::string output = "/dev/null";
    pdf.InitPDFFile(output);
    const bool loaded = pdf.LoadImgFromBMPFile("Im1", input, static_cast<int32_t>(size % 3));
    pdf.BeginPage();
    if (loaded) {
        pdf.DrawImg("Im1", 0, 100, 100, 100);
    }
    pdf.EndPage();
    pdf.ClosePDFFile();
    return 0;
}
