#include "pdf/PdfOutput.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

PdfOutput::~PdfOutput() {
    Abandon();
}

void PdfOutput::Open(const std::string& path) {
    Abandon();
    m_file = std::fopen(path.c_str(), "wb");
    if (m_file == nullptr) {
        throw std::runtime_error("cannot create " + path + ": " + std::strerror(errno));
    }
    m_path = path;
    m_buffer.clear();
    m_buffer.reserve(kBufferSize);
    m_position = 0;
}

void PdfOutput::Write(std::string_view bytes) {
    if (m_file == nullptr) {
        throw std::logic_error("no PDF file is open");
    }
    m_position += bytes.size();
    if (m_buffer.size() + bytes.size() > kBufferSize) {
        Flush();
        if (bytes.size() >= kBufferSize) {
            if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
                Fail("cannot write");
            }
            return;
        }
    }
    m_buffer.append(bytes);
}

void PdfOutput::WriteLine(std::string_view line) {
    Write(line);
    Write("\r\n");
}

void PdfOutput::Close() {
    if (m_file == nullptr) {
        return;
    }
    Flush();
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0) {
        throw std::runtime_error("cannot write " + m_path + ": " + std::strerror(errno));
    }
}

void PdfOutput::Abandon() {
    if (m_file != nullptr) {
        // The document is given up: what the file still lacks no longer matters.
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_buffer.clear();
}

void PdfOutput::Flush() {
    if (!m_buffer.empty() &&
        std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size()) {
        Fail("cannot write");
    }
    m_buffer.clear();
}

void PdfOutput::Fail(const char* what) {
    const std::string message = std::string(what) + " " + m_path + ": " + std::strerror(errno);
    Abandon();
    throw std::runtime_error(message);
}
