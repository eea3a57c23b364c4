#include "net/temp_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#include <unistd.h>
#endif

#ifdef _WIN32

std::wstring MakeTempFileName(const std::wstring& prefix) {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return std::wstring();
  wchar_t name[MAX_PATH] = {};
  // Unique number 0: the system picks a free name and creates the file.
  if (GetTempFileNameW(folder, prefix.c_str(), 0, name) == 0) return std::wstring();
  return name;
}

bool RemoveFile(const std::wstring& path) { return DeleteFileW(path.c_str()) != 0; }

bool TempFileWriter::Open(const std::wstring& path) {
  Close();
  file_ = _wfopen(path.c_str(), L"wb");
  return file_ != nullptr;
}

#else  // POSIX: the same behaviour for native builds and tests.

namespace {

// Wide strings are UTF-32 here; file names are UTF-8.
std::string ToUtf8(const std::wstring& text) {
  std::string out;
  for (wchar_t wc : text) {
    const auto c = static_cast<char32_t>(wc);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | ((c >> 18) & 0x07));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::wstring FromUtf8(const std::string& text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t c = extra == 3 ? (b & 0x07) : extra == 2 ? (b & 0x0F) : extra == 1 ? (b & 0x1F) : b;
    ++i;
    for (; extra > 0 && i < text.size(); --extra, ++i)
      c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    out += static_cast<wchar_t>(c);
  }
  return out;
}

}  // namespace

std::wstring MakeTempFileName(const std::wstring& prefix) {
  const char* env = std::getenv("TMPDIR");
  std::string folder = env && *env ? env : "/tmp";
  if (folder.back() != '/') folder += '/';
  std::string pattern = folder + ToUtf8(prefix.substr(0, 3)) + "XXXXXX.tmp";
  const int fd = mkstemps(pattern.data(), 4);
  if (fd < 0) return std::wstring();
  close(fd);
  return FromUtf8(pattern);
}

bool RemoveFile(const std::wstring& path) { return std::remove(ToUtf8(path).c_str()) == 0; }

bool TempFileWriter::Open(const std::wstring& path) {
  Close();
  file_ = std::fopen(ToUtf8(path).c_str(), "wb");
  return file_ != nullptr;
}

#endif

TempFileWriter::~TempFileWriter() { Close(); }

bool TempFileWriter::Write(const char* data, std::size_t size) {
  return file_ && std::fwrite(data, 1, size, file_) == size;
}

bool TempFileWriter::Close() {
  if (!file_) return true;
  const bool flushed = std::fflush(file_) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return flushed && closed;
}
