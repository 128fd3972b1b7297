#include "runtime/core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <system_error>

#include "runtime/core/format.h"

namespace bg {
namespace {

enum class Mode { kClosed, kInput, kOutput };

struct OpenFile {
  Mode mode = Mode::kClosed;
  std::FILE* out = nullptr;
  // An output file replacing a regular file is written to a temporary beside it and put
  // in its place at the close; empty paths: written in place (a device, an append).
  std::filesystem::path target;
  std::filesystem::path temporary;
  bool writeFailed = false;  // a write failed: the close drops the temporary
  std::string data;         // the whole file, read at open (the files are small)
  std::size_t pos = 0;      // next byte of data not yet taken into the line buffer
  std::string line;         // the line buffer of field input
  std::size_t linePos = 0;
  bool lineUsedUp = true;
};

// Indexed by file number; every caller checks the number first.
std::array<OpenFile, kHighestFileNumber + 1> gFiles;
std::int32_t gLastError = 0;
int gLastCause = 0;  // the system's error number behind the last failure, 0 when none
std::filesystem::path gLastCausePath;  // the file it concerned, when known

void stderrPresenter(std::string_view text, std::int32_t error) {
  std::fprintf(stderr, "%.*s (error %d)\n", static_cast<int>(text.size()), text.data(), error);
}

FileErrorVector gVector = FBFileErrorAlert;
FileErrorAlertPresenter gPresenter = stderrPresenter;

int gWritesBeforeFault = 0;   // test seam: the nth write from now fails
bool gRenameFault = false;     // test seam: the next rename fails
unsigned gTemporaryCounter = 0;

std::filesystem::path gDataFolder;
std::filesystem::path gPreferencesFolder;

void report(std::int16_t n, FileErrorCode code, int cause = 0, const std::filesystem::path& path = {}) {
  const std::int32_t number = (n >= 1 && n <= kHighestFileNumber) ? n : 0;
  gLastError = (number << 8) | code;
  gLastCause = cause;
  gLastCausePath = path;
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

// Where a replacing write goes: the file a link points to, so the link stays.
std::filesystem::path replacedFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_symlink(path, ec)) {
    const std::filesystem::path resolved = std::filesystem::canonical(path, ec);
    if (!ec) return resolved;
  }
  return path;
}

constexpr std::string_view kTemporaryMark = ".tmp-";

// The longest file name the folder's file system takes, in bytes.
std::size_t longestNameIn(const std::filesystem::path& folder) {
  const long most = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  return most > 0 ? static_cast<std::size_t>(most) : static_cast<std::size_t>(NAME_MAX);
}

// The temporary's name, "<target>.tmp-<pid>-<n>": a target whose name leaves no room for
// the mark gives up its end (whole characters), so any name the folder takes can be written.
std::string temporaryName(std::string_view target, std::string_view mark, std::size_t longest) {
  const std::size_t room = mark.size() < longest ? longest - mark.size() : 0;
  return std::string(target.substr(0, utf8FitLength(target, room))) + std::string(mark);
}

// Whether the name is one of ours beside the target, as temporaryName makes them.
bool isTemporaryOf(std::string_view name, std::string_view target, std::size_t longest) {
  const std::size_t at = name.rfind(kTemporaryMark);
  if (at == std::string_view::npos) return false;
  const std::string_view rest = name.substr(at + kTemporaryMark.size());
  const std::size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size()) return false;
  const auto digits = [](std::string_view d) { return d.find_first_not_of("0123456789") == std::string_view::npos; };
  if (!digits(rest.substr(0, dash)) || !digits(rest.substr(dash + 1))) return false;
  return name == temporaryName(target, name.substr(at), longest);
}

// A run in another process namespace or on another machine sharing the folder is not seen
// here, so the number in a temporary's name says nothing sure about its writer; a temporary
// untouched for far longer than any write takes is a dead run's whatever its number.
constexpr auto kStaleTemporaryAge = std::chrono::minutes(10);

bool untouchedForLong(const std::filesystem::path& path) {
  std::error_code ec;
  const auto written = std::filesystem::last_write_time(path, ec);
  return !ec && std::filesystem::file_time_type::clock::now() - written > kStaleTemporaryAge;
}

// Left by a run killed between its write and its rename: long untouched, and no file of this
// run is written to it. A fresh one may be a write under way in another run.
bool staleTemporary(const std::filesystem::path& path) {
  if (!untouchedForLong(path)) return false;
  for (const OpenFile& f : gFiles)
    if (f.mode == Mode::kOutput && f.temporary == path) return false;
  return true;
}

template <typename IsTemporary>
void removeTemporariesIn(const std::filesystem::path& folder, IsTemporary isTemporary) {
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (isTemporary(it->path().filename().string()) && staleTemporary(it->path())) {
      std::error_code ignored;
      std::filesystem::remove(it->path(), ignored);
    }
  }
}

// Stale temporaries of this target.
void removeStaleTemporaries(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  const std::string name = target.filename().string();
  const std::size_t longest = longestNameIn(folder);
  removeTemporariesIn(folder, [&name, longest](std::string_view file) { return isTemporaryOf(file, name, longest); });
}

// A new file beside the target, made with the user's usual permissions (0666 less the
// umask) or, when the target exists, with the target's.
std::FILE* openTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temporary) {
  removeStaleTemporaries(target);
  std::error_code ec;
  const auto status = std::filesystem::status(target, ec);
  const bool existing = !ec && std::filesystem::is_regular_file(status);
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  const std::size_t longest = longestNameIn(folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string mark =
        std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" + std::to_string(++gTemporaryCounter);
    temporary = target;
    temporary.replace_filename(temporaryName(target.filename().string(), mark, longest));
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      break;
    }
    if (existing) ::fchmod(fd, static_cast<mode_t>(status.permissions()) & 07777);
    std::FILE* file = ::fdopen(fd, "wb");
    if (file != nullptr) return file;
    ::close(fd);
    std::filesystem::remove(temporary, ec);
    break;
  }
  temporary.clear();
  return nullptr;
}

bool replacesRegularFile(const std::filesystem::path& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  return std::filesystem::is_regular_file(status) || status.type() == std::filesystem::file_type::not_found;
}

// Makes the finished temporary the file: on disk first, then renamed over the target,
// then the folder's entry on disk. Any failure keeps the old file and drops the temporary.
bool putInPlace(OpenFile& f, int& cause) {
  bool ok = !f.writeFailed && std::fflush(f.out) == 0 && ::fsync(::fileno(f.out)) == 0;
  if (!ok) cause = errno;
  const bool closed = std::fclose(f.out) == 0;
  if (ok && !closed) cause = errno;
  ok = closed && ok;
  f.out = nullptr;
  if (ok && gRenameFault) {
    gRenameFault = false;
    ok = false;
    cause = EIO;
  } else if (ok) {
    ok = std::rename(f.temporary.c_str(), f.target.c_str()) == 0;
    if (!ok) cause = errno;
  }
  if (!ok) {
    std::error_code ec;
    std::filesystem::remove(f.temporary, ec);
    return false;
  }
  const std::filesystem::path folder = f.target.has_parent_path() ? f.target.parent_path() : ".";
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);  // best effort: the rename has happened either way
    ::close(dir);
  }
  return true;
}

bool openFor(std::int16_t n, const std::filesystem::path& path, Mode mode, const char* how) {
  if (!validNumber(n)) return false;
  OpenFile& f = gFiles[static_cast<std::size_t>(n)];
  if (f.mode != Mode::kClosed) {
    report(n, kFileErrorAlreadyOpen);
    return false;
  }
  const bool replacing = mode == Mode::kOutput && how[0] == 'w' && replacesRegularFile(path);
  std::filesystem::path target;
  std::filesystem::path temporary;
  std::FILE* file = nullptr;
  if (replacing) {
    target = replacedFile(path);
    file = openTemporaryBeside(target, temporary);
  } else {
    file = std::fopen(path.c_str(), how);
  }
  if (file == nullptr) {
    report(n, kFileErrorOpenFailed, errno, replacing ? target : path);
    return false;
  }
  f = OpenFile{};
  if (mode == Mode::kOutput) {
    f.out = file;
    f.mode = Mode::kOutput;
    f.target = target;
    f.temporary = temporary;
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
  bool ok = !f->writeFailed;  // after a failed write the file is lost: no more writes
  if (ok && gWritesBeforeFault > 0 && --gWritesBeforeFault == 0) {
    ok = false;
    errno = ENOSPC;
  }
  if (ok) ok = std::fwrite(text.data(), 1, text.size(), f->out) == text.size();
  if (ok && endLine) ok = std::fputc('\r', f->out) != EOF;
  // Written through at once, so a full disk is reported at the line that failed.
  if (ok) ok = std::fflush(f->out) == 0;
  if (!ok) {
    const int cause = errno;
    std::clearerr(f->out);
    if (!f->writeFailed) report(n, kFileErrorWriteFailed, cause, f->target);
    f->writeFailed = true;
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

void failNthFileWrite(int n) { gWritesBeforeFault = n > 0 ? n : 0; }
void failNextFileRename() { gRenameFault = true; }
void clearFileFaults() {
  gWritesBeforeFault = 0;
  gRenameFault = false;
}

std::int32_t lastFileError() { return gLastError; }
void setLastFileError(std::int32_t error) {
  gLastError = error;
  if (error != 0) return;
  gLastCause = 0;
  gLastCausePath.clear();
}

std::string lastFileErrorCause() {
  const std::string folder = gLastCausePath.has_parent_path() ? gLastCausePath.parent_path().string() : "";
  const std::string name = gLastCausePath.filename().string();
  switch (gLastCause) {
    case 0: return std::string(kNoCauseGiven);
    case ENOSPC:
    case EDQUOT: return "The disk is full.";
    case EFBIG: return "The file is larger than the system allows.";
    case EACCES:
    case EPERM: return "The folder cannot be written to.";
    case EROFS: return "The disk can only be read.";
    case ENAMETOOLONG: return "The name is longer than the system allows.";
    case ENOENT: {
      std::error_code ec;
      if (!folder.empty() && !std::filesystem::is_directory(folder, ec))
        return "The folder " + folder + " does not exist.";
      return name.empty() ? "The file does not exist." : name + " does not exist.";
    }
    case ENOTDIR:
      if (!folder.empty()) return "A file stands in the way of the folder " + folder + ".";
      return "A file stands where a folder should be.";
    case EISDIR:
      if (!name.empty()) return name + " is a folder, not a file.";
      return "A folder stands where the file should be.";
    default: return std::generic_category().message(gLastCause) + ".";
  }
}

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
  const bool reported = f.writeFailed;  // the failed write was reported already
  bool ok = true;
  int cause = 0;
  const std::filesystem::path target = f.target;
  if (f.out != nullptr && !f.temporary.empty()) {
    ok = putInPlace(f, cause);
  } else if (f.out != nullptr) {
    ok = std::fclose(f.out) == 0 && !f.writeFailed;
    if (!ok) cause = errno;
  }
  f = OpenFile{};
  if (!ok && !reported) report(n, kFileErrorWriteFailed, cause, target);
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

void removeStaleTemporariesIn(const std::filesystem::path& folder, const std::vector<std::string>& names) {
  const std::size_t longest = longestNameIn(folder);
  removeTemporariesIn(folder, [&names, longest](std::string_view file) {
    return std::any_of(names.begin(), names.end(),
                       [file, longest](std::string_view name) { return isTemporaryOf(file, name, longest); });
  });
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
