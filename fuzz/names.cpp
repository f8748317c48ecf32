// Random bytes as a file name, as a directory listing may hand it over: the
// capitals of the course list, the comparison that finds a file whatever its
// letter case, and the name written into a text of the code page.
#include "common/core/Cp1252.h"
#include "common/core/ProgramPaths.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    const std::string upper = Utf8ToUpper(name);
    if (Utf8ToUpper(upper) != upper)
        std::abort(); // capitals stay capitals
    if (!Utf8EqualNoCase(name, upper) || !Utf8EqualNoCase(upper, name))
        std::abort();
    const std::string text = FileNameToCp1252(name);
    if (text.size() > name.size())
        std::abort(); // one byte of text at most for each byte of the name
    if (Cp1252ToFileName(text).empty() != name.empty())
        std::abort();
    return 0;
}
