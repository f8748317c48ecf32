#pragma once
// The file a PDF document is written to. Buffers its writes and counts every
// byte itself, so object offsets are known without asking the file.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

class PdfOutput {
public:
    PdfOutput() = default;
    PdfOutput(const PdfOutput&) = delete;
    PdfOutput& operator=(const PdfOutput&) = delete;
    ~PdfOutput();

    // Creates or replaces the file; throws std::runtime_error on failure.
    void Open(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }
    // Both throw std::runtime_error when the file cannot be written.
    void Write(std::string_view bytes);
    void WriteLine(std::string_view line);
    // Bytes written since Open, counted from 0.
    uint64_t Position() const { return m_position; }
    // Flushes and closes; throws std::runtime_error when that fails.
    void Close();
    // Closes without reporting anything: the document is given up.
    void Abandon();

private:
    void Flush();
    [[noreturn]] void Fail(const char* what);

    std::FILE* m_file = nullptr;
    std::string m_path;
    std::string m_buffer;
    uint64_t m_position = 0;
};
