#include "runtime/core/files.h"

#include <array>
#include <cstdio>
#include <system_error>

#include "runtime/core/format.h"

namespace bg {
namespace {

enum class Mode { kClosed, kInput, kOutput };

struct OpenFile {
  Mode mode = Mode::kClosed;
  std::FILE* out = nullptr;
  std::string data;         // the whole file, read at open (the files are small)
  std::size_t pos = 0;      // next byte of data not yet taken into the line buffer
  std::string line;         // the line buffer of field input
  std::size_t linePos = 0;
  bool lineUsedUp = true;
};

// Indexed by file number; every caller checks the number first.
std::array<OpenFile, kHighestFileNumber + 1> gFiles;
std::int32_t gLastError = 0;

void stderrPresenter(std::string_view text, std::int32_t error) {
  std::fprintf(stderr, "%.*s (error %d)\n", static_cast<int>(text.size()), text.data(), error);
}

FileErrorVector gVector = FBFileErrorAlert;
FileErrorAlertPresenter gPresenter = stderrPresenter;

std::filesystem::path gDataFolder;
std::filesystem::path gPreferencesFolder;

void report(std::int16_t n, FileErrorCode code) {
  const std::int32_t number = (n >= 1 && n <= kHighestFileNumber) ? n : 0;
  gLastError = (number << 8) | code;
  if (gVector != nullptr) gVector(gLastError);
}

bool validNumber(std::int16_t n) {
  if (n >= 1 && n <= kHighestFileNumber) return true;
  report(n, kFileErrorBadNumber);
  return false;
}

// The open file for reading, or nullptr after reporting why not.
OpenFile* inputFile(std::int16_t n) {
  if (!validNumber(n)) return nullptr;
  OpenFile& f = gFiles[static_cast<std::size_t>(n)];
  if (f.mode == Mode::kInput) return &f;
  report(n, f.mode == Mode::kClosed ? kFileErrorNotOpen : kFileErrorWrongMode);
  return nullptr;
}

OpenFile* outputFile(std::int16_t n) {
  if (!validNumber(n)) return nullptr;
  OpenFile& f = gFiles[static_cast<std::size_t>(n)];
  if (f.mode == Mode::kOutput) return &f;
  report(n, f.mode == Mode::kClosed ? kFileErrorNotOpen : kFileErrorWrongMode);
  return nullptr;
}

// Takes the next line (at most 255 bytes) out of the file: at least one byte, since a cut
// falls at most three bytes short of the limit.
std::string takeLine(OpenFile& f) {
  const std::size_t start = f.pos;
  std::size_t end = start;
  while (end < f.data.size() && f.data[end] != '\r' && f.data[end] != '\n') ++end;
  const std::string_view whole(f.data.data() + start, end - start);
  const std::size_t keep = utf8FitLength(whole, Str255::kCapacity);
  if (keep < whole.size()) {
    f.pos = start + keep;  // the rest comes with the next read
    return std::string(whole.substr(0, keep));
  }
  f.pos = end;
  if (f.pos < f.data.size()) {
    // CR LF is one line end, so a file from any system reads back the same lines.
    if (f.data[f.pos] == '\r' && f.pos + 1 < f.data.size() && f.data[f.pos + 1] == '\n') ++f.pos;
    ++f.pos;
  }
  return std::string(whole);
}

bool isBlankOrTab(char c) { return c == ' ' || c == '\t'; }

bool openFor(std::int16_t n, const std::filesystem::path& path, Mode mode, const char* how) {
  if (!validNumber(n)) return false;
  OpenFile& f = gFiles[static_cast<std::size_t>(n)];
  if (f.mode != Mode::kClosed) {
    report(n, kFileErrorAlreadyOpen);
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), how);
  if (file == nullptr) {
    report(n, kFileErrorOpenFailed);
    return false;
  }
  f = OpenFile{};
  if (mode == Mode::kOutput) {
    f.out = file;
    f.mode = Mode::kOutput;
    return true;
  }
  char buf[8192];
  std::size_t got = 0;
  while ((got = std::fread(buf, 1, sizeof buf, file)) > 0) f.data.append(buf, got);
  const bool failed = std::ferror(file) != 0;  // a folder opens but does not read
  std::fclose(file);
  if (failed) {
    f = OpenFile{};
    report(n, kFileErrorOpenFailed);
    return false;
  }
  f.mode = Mode::kInput;
  return true;
}

bool writeOut(std::int16_t n, std::string_view text, bool endLine) {
  OpenFile* f = outputFile(n);
  if (f == nullptr) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f->out) == text.size();
  if (ok && endLine) ok = std::fputc('\r', f->out) != EOF;
  // Written through at once, so a full disk is reported at the line that failed.
  if (ok) ok = std::fflush(f->out) == 0;
  if (!ok) {
    std::clearerr(f->out);
    report(n, kFileErrorWriteFailed);
  }
  return ok;
}

bool makeFolder(const std::filesystem::path& folder) {
  if (folder.empty()) return true;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return std::filesystem::is_directory(folder, ec);
}

std::filesystem::path inFolder(const std::filesystem::path& folder, std::string_view name) {
  makeFolder(folder);
  return folder / std::filesystem::path(std::string(name));
}

}  // namespace

FileErrorVector setFileErrorVector(FileErrorVector vector) {
  FileErrorVector old = gVector;
  gVector = vector;
  return old;
}

void FBFileErrorAlert(std::int32_t error) {
  if (gPresenter != nullptr) gPresenter(kFileErrorAlertText, error);
}

FileErrorAlertPresenter setFileErrorAlertPresenter(FileErrorAlertPresenter presenter) {
  FileErrorAlertPresenter old = gPresenter;
  gPresenter = presenter != nullptr ? presenter : stderrPresenter;
  return old;
}

std::int32_t lastFileError() { return gLastError; }
void setLastFileError(std::int32_t error) { gLastError = error; }

bool openInput(std::int16_t n, const std::filesystem::path& path) {
  return openFor(n, path, Mode::kInput, "rb");
}
bool openOutput(std::int16_t n, const std::filesystem::path& path) {
  return openFor(n, path, Mode::kOutput, "wb");
}
bool openAppend(std::int16_t n, const std::filesystem::path& path) {
  return openFor(n, path, Mode::kOutput, "ab");
}

bool closeFile(std::int16_t n) {
  if (n < 1 || n > kHighestFileNumber) return true;
  OpenFile& f = gFiles[static_cast<std::size_t>(n)];
  bool ok = true;
  if (f.out != nullptr) ok = std::fclose(f.out) == 0;
  f = OpenFile{};
  if (!ok) report(n, kFileErrorWriteFailed);
  return ok;
}

void closeAllFiles() {
  for (std::int16_t n = 1; n <= kHighestFileNumber; ++n) closeFile(n);
}

bool fileIsOpen(std::int16_t n) {
  return n >= 1 && n <= kHighestFileNumber && gFiles[static_cast<std::size_t>(n)].mode != Mode::kClosed;
}

Str255 lineInput(std::int16_t n) {
  OpenFile* f = inputFile(n);
  if (f == nullptr) return {};
  if (!f->lineUsedUp) {
    // Fields of this line were taken already: the rest of it is the line.
    f->lineUsedUp = true;
    return Str255(std::string_view(f->line).substr(f->linePos));
  }
  if (f->pos >= f->data.size()) {
    report(n, kFileErrorPastEnd);
    return {};
  }
  return Str255(takeLine(*f));
}

Str255 inputField(std::int16_t n) {
  OpenFile* f = inputFile(n);
  if (f == nullptr) return {};
  if (f->lineUsedUp) {
    if (f->pos >= f->data.size()) {
      report(n, kFileErrorPastEnd);
      return {};
    }
    f->line = takeLine(*f);
    f->linePos = 0;
    f->lineUsedUp = false;
  }
  const std::string& s = f->line;
  std::size_t i = f->linePos;
  while (i < s.size() && isBlankOrTab(s[i])) ++i;
  std::size_t start = i;
  std::size_t end = i;
  if (i < s.size() && s[i] == '"') {
    start = ++i;
    while (i < s.size() && s[i] != '"') ++i;
    end = i;
    if (i < s.size()) ++i;  // the closing quote
  } else {
    while (i < s.size() && s[i] != ',' && s[i] != '\t') ++i;
    end = i;
  }
  while (i < s.size() && isBlankOrTab(s[i])) ++i;
  if (i < s.size() && s[i] == ',') ++i;
  f->linePos = i;
  f->lineUsedUp = i >= s.size();
  return Str255(std::string_view(s).substr(start, end - start));
}

std::int16_t inputInt16(std::int16_t n) { return int16Of(val(inputField(n))); }
std::int32_t inputInt32(std::int16_t n) { return int32Of(val(inputField(n))); }
std::uint8_t inputByte(std::int16_t n) { return byteOf(val(inputField(n))); }

bool fileEof(std::int16_t n) {
  if (n < 1 || n > kHighestFileNumber) return true;
  const OpenFile& f = gFiles[static_cast<std::size_t>(n)];
  return f.mode != Mode::kInput || f.pos >= f.data.size();
}

bool printToFile(std::int16_t n, std::string_view text) { return writeOut(n, text, true); }
bool writeToFile(std::int16_t n, std::string_view text) { return writeOut(n, text, false); }

bool fileExists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool setDataFolder(const std::filesystem::path& folder) {
  gDataFolder = folder;
  return makeFolder(folder);
}

bool setPreferencesFolder(const std::filesystem::path& folder) {
  gPreferencesFolder = folder;
  return makeFolder(folder);
}

const std::filesystem::path& dataFolder() { return gDataFolder; }
const std::filesystem::path& preferencesFolder() { return gPreferencesFolder; }

std::filesystem::path dataFilePath(std::string_view name) { return inFolder(gDataFolder, name); }
std::filesystem::path preferencesFilePath(std::string_view name) {
  return inFolder(gPreferencesFolder, name);
}

}  // namespace bg
