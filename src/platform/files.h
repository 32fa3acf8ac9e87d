// Files, folders, text files, streams and banks. Paths are byte strings; a path written with
// "\" is read as "/", and a path that does not exist as written is matched part by part
// without regard to letter case.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "platform/text.h"

// The path as it exists on disk (separators mended, letter case matched); the path with its
// separators mended when nothing matches.
std::string ResolvePath(const std::string& path);

enum FileKind : int { FILETYPE_NONE = 0, FILETYPE_FILE = 1, FILETYPE_DIR = 2 };
int FileType(const std::string& path);
// True for a regular file or a link to one. FileType calls a FIFO, a socket or a device a file
// too, but opening or reading one can wait for ever: readers open regular files only.
bool RegularFile(const std::string& path);
int64_t FileSize(const std::string& path);  // -1 when missing
// Creates a folder (and, with recurse, every missing parent). True when it exists afterwards.
bool CreateDir(const std::string& path, bool recurse = false);
bool DeleteFile(const std::string& path);
bool DeleteDir(const std::string& path, bool recurse = false);
bool RenameFile(const std::string& from, const std::string& to);
bool CopyFile(const std::string& from, const std::string& to);
// Moves a file that could not be read out of the way, to path + ".bad" or the first free
// path + ".bad<n>" (n from 2), so it is never overwritten. False when it could not be moved.
bool MoveFileAside(const std::string& path, std::string& movedTo);
// What stands where a file the game keeps for the player (options, hiscores) belongs, before it
// is read: nothing, an empty regular file, a regular file with bytes in it, or something that
// cannot be read as a file at all (a folder, a FIFO, a device, a link that loops or leads nowhere).
enum KeptFileState : int {
  KEPTFILE_MISSING = 0,
  KEPTFILE_EMPTY = 1,
  KEPTFILE_PRESENT = 2,
  KEPTFILE_NOT_A_FILE = 3
};
int KeptFileState(const std::string& path);
// A kept file that could not be read is moved aside (MoveFileAside), byte for byte, before
// anything replaces it, and the player is told: "The <what> file <path> could not be read
// (<reason>); it was moved to <aside> and <instead>." False, told "... nor moved aside; <instead
// when stuck>", when it could not be moved; the caller then leaves it where it is.
bool KeepDamagedFileAside(const std::string& what, const std::string& path,
                          const std::string& reason, const std::string& instead,
                          const std::string& insteadWhenStuck);
std::string CurrentDir();
bool ChangeDir(const std::string& path);
std::string HomeDir();  // $HOME

std::string StripDir(const std::string& path);  // "a/b/c.png" -> "c.png"
std::string StripExt(const std::string& path);  // "a/b/c.png" -> "a/b/c"
std::string ExtractDir(const std::string& path);  // "a/b/c.png" -> "a/b"
std::string ExtractExt(const std::string& path);  // "a/b/c.png" -> "png"

// Folder listing: every entry (including "." and ".."), then "".
class TDir;
using DirPtr = std::shared_ptr<TDir>;
DirPtr ReadDir(const std::string& path);  // null when the folder cannot be read
std::string NextFile(const DirPtr& dir);
void CloseDir(const DirPtr& dir);
// Sorted names of a folder's entries without "." and "..".
std::vector<std::string> LoadDir(const std::string& path);

// ---- Streams ---------------------------------------------------------------------------------
// Little-endian. Reading past the end raises FrameworkError("Error reading from stream").

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to n bytes, returns how many were read.
  virtual int64_t Read(void* buffer, int64_t n) = 0;
  virtual int64_t Write(const void* buffer, int64_t n) = 0;
  virtual int64_t Pos() const = 0;
  virtual int64_t Seek(int64_t pos) = 0;  // returns the new position
  virtual int64_t Size() const = 0;
  virtual bool Eof() const { return Pos() >= Size(); }
  virtual void Flush() {}
  virtual void Close() {}
};
using StreamPtr = std::shared_ptr<TStream>;

// Each is null when the path cannot be opened, or names a folder, a FIFO, a socket or a device.
StreamPtr ReadFile(const std::string& path);
// Told the path of every ReadFile and LoadBytes by path that finds no file to open (headless
// runs keep a record of them); null, the default, tells nobody.
void SetFailedOpenObserver(void (*observer)(const std::string& path));
StreamPtr WriteFile(const std::string& path);  // creates or truncates
StreamPtr OpenFile(const std::string& path);   // read and write
StreamPtr ReadStream(const std::string& path);
StreamPtr WriteStream(const std::string& path);
void CloseFile(const StreamPtr& stream);
void CloseStream(const StreamPtr& stream);
int64_t StreamPos(const StreamPtr& stream);
int64_t StreamSize(const StreamPtr& stream);
int64_t SeekStream(const StreamPtr& stream, int64_t pos);
bool Eof(const StreamPtr& stream);
void FlushStream(const StreamPtr& stream);
// Streams are little-endian already; returns the stream itself.
StreamPtr LittleEndianStream(const StreamPtr& stream);

int ReadByte(const StreamPtr& stream);   // 0..255
int ReadShort(const StreamPtr& stream);  // 0..65535
int32_t ReadInt(const StreamPtr& stream);
float ReadFloat(const StreamPtr& stream);
// Reads exactly n bytes (raises at the end of the stream).
void ReadBytes(const StreamPtr& stream, void* buffer, int64_t n);
std::string ReadLine(const StreamPtr& stream);  // without the line end; "" at the end
void WriteByte(const StreamPtr& stream, int value);
void WriteShort(const StreamPtr& stream, int value);
void WriteInt(const StreamPtr& stream, int32_t value);
void WriteFloat(const StreamPtr& stream, float value);
void WriteBytes(const StreamPtr& stream, const void* buffer, int64_t n);
void WriteLine(const StreamPtr& stream, const std::string& line);
// Reads a whole stream or regular file into bytes (empty on failure).
std::vector<uint8_t> LoadBytes(const StreamPtr& stream);
bool LoadBytes(const std::string& path, std::vector<uint8_t>& out);
// Writes bytes to a temporary file in the same folder, flushes it and renames it over `path`.
bool SaveBytesSafely(const std::string& path, const std::vector<uint8_t>& bytes);

// ---- Banks -----------------------------------------------------------------------------------

class TBank {
 public:
  explicit TBank(int64_t size = 0) : bytes(static_cast<size_t>(size), 0) {}
  std::vector<uint8_t> bytes;
  int64_t Size() const { return static_cast<int64_t>(bytes.size()); }
  void Resize(int64_t size) { bytes.resize(static_cast<size_t>(size), 0); }
  uint8_t* Buf() { return bytes.data(); }
};
using BankPtr = std::shared_ptr<TBank>;

BankPtr CreateBank(int64_t size = 0);
BankPtr LoadBank(const std::string& path);  // null when unreadable
int64_t BankSize(const BankPtr& bank);
void ResizeBank(const BankPtr& bank, int64_t size);
// Reads up to count bytes from the stream into the bank at offset; returns the count read.
int64_t ReadBank(const BankPtr& bank, const StreamPtr& stream, int64_t offset, int64_t count);
int64_t WriteBank(const BankPtr& bank, const StreamPtr& stream, int64_t offset, int64_t count);
void CopyBank(const BankPtr& src, int64_t srcOffset, const BankPtr& dst, int64_t dstOffset,
              int64_t count);
// Peeks and pokes outside the bank raise FrameworkError.
int PeekByte(const BankPtr& bank, int64_t offset);
int PeekShort(const BankPtr& bank, int64_t offset);
int32_t PeekInt(const BankPtr& bank, int64_t offset);
void PokeByte(const BankPtr& bank, int64_t offset, int value);
void PokeShort(const BankPtr& bank, int64_t offset, int value);
void PokeInt(const BankPtr& bank, int64_t offset, int32_t value);

// A stream over memory: a bank, or bytes that the stream owns.
StreamPtr CreateRamStream(const BankPtr& bank, bool readable = true, bool writable = true);
StreamPtr CreateRamStream(std::vector<uint8_t> bytes, bool readable = true, bool writable = true);
// The bytes written to a RAM stream so far (for a stream made by CreateRamStream).
std::vector<uint8_t> RamStreamBytes(const StreamPtr& stream);

// ---- Text files ------------------------------------------------------------------------------

// Decodes by the first bytes: FF FE UTF-16 little-endian, FE FF UTF-16 big-endian, EF BB BF
// UTF-8; otherwise one byte per character. Raises FrameworkError when it cannot be read.
String LoadText(const std::string& path);
String LoadText(const StreamPtr& stream);
String DecodeText(const std::vector<uint8_t>& bytes);
// One byte per character, or UTF-16 little-endian after FF FE when a character is above 255.
std::vector<uint8_t> EncodeText(const String& text);
bool SaveText(const String& text, const std::string& path);
