// The replay file's layout, byte by byte as docs/replays.md describes it.
#include "replay/replay_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "replay/byte_stream.h"
#include "replay/crc32.h"
#include "replay/versions.h"
#include "services/formatted.h"
#include "services/texts.h"
#include "state/json_text.h"
#include "state/state_document.h"
#include "state/state_hash.h"

namespace {

constexpr uint8_t Magic[8] = {'A', 'S', 'T', 'R', 'P', 'L', 'A', 'Y'};
constexpr size_t HeaderSize = 44;  // up to the state document
constexpr size_t CrcSize = 4;
constexpr size_t SmallestRun = 2;  // a frame count and a key count, one byte each

struct Refusal {
  std::string line;
};

void WriteRun(ByteWriter& out, const InputRun& run) {
  out.Varint(run.frames);
  uint8_t keys[InputFrame::KeyCount];
  size_t count = 0;
  for (int key = 0; key < InputFrame::KeyCount; ++key) {
    if (run.keys.Held(key)) {
      keys[count++] = static_cast<uint8_t>(key);
    }
  }
  out.Varint(count);
  out.Bytes(keys, count);
}

// Parses what follows the checked header; throws a Refusal naming the damage.
class BodyReader {
 public:
  BodyReader(ByteReader& in, uint32_t frameCount, uint32_t memberCount)
      : in_(in), frameCount_(frameCount), memberCount_(memberCount) {}

  void StartState(std::string& document) {
    uint32_t length = U32(Tr("the starting state's length"));
    const uint8_t* text = in_.Take(length);
    if (text == nullptr) {
      Damaged(Tr("the starting state runs past the end"));
    }
    document.assign(reinterpret_cast<const char*>(text), length);
  }

  // Called last: the document is the dearest part to check.
  static void CheckStartState(const std::string& document) {
    Json parsed;
    try {
      parsed = Json::parse(document);
    } catch (const Json::exception&) {
      Damaged(Tr("its starting state is not valid JSON"));
    }
    GameState state;
    RandomState random;
    std::string error;
    if (!ReadParsedStateDocument(parsed, state, random, error)) {
      Damaged(Formatted(Tr("its starting state: %s"), error.c_str()));
    }
    if (!parsed.contains("random")) {
      Damaged(Tr("its starting state lacks the random generator"));
    }
  }

  void Runs(std::vector<InputRun>& runs) {
    uint32_t count = U32(Tr("the run count"));
    if (count > frameCount_ || count > in_.Left() / SmallestRun) {
      Damaged(Formatted(Tr("claims %u runs of keys"), count));
    }
    runs.resize(count);
    uint64_t frames = 0;
    for (InputRun& run : runs) {
      uint64_t length = 0;
      uint64_t keyCount = 0;
      if (!in_.Varint(length) || !in_.Varint(keyCount)) {
        Damaged("a run of keys is cut short or malformed");
      }
      frames += length;
      if (length == 0 || frames > frameCount_) {
        Damaged("its runs of keys do not add up to its " + std::to_string(frameCount_) + " frames");
      }
      run.frames = static_cast<uint32_t>(length);
      const uint8_t* keys = keyCount <= InputFrame::KeyCount ? in_.Take(keyCount) : nullptr;
      if (keys == nullptr) {
        Damaged("a run of keys is cut short or malformed");
      }
      for (uint64_t i = 0; i < keyCount; ++i) {
        if (i > 0 && keys[i] <= keys[i - 1]) {
          Damaged("a run's keys are out of order");
        }
        run.keys.Press(keys[i]);
      }
    }
    if (frames != frameCount_) {
      Damaged("its runs of keys do not add up to its " + std::to_string(frameCount_) + " frames");
    }
  }

  // One after every 200th frame and one after the last, in order.
  void Checkpoints(std::vector<StateCheckpoint>& checkpoints) {
    uint32_t count = U32(Tr("the checkpoint count"));
    uint32_t expected = (frameCount_ + CheckpointPeriod - 1) / CheckpointPeriod;
    size_t size = 12 + 4 * static_cast<size_t>(memberCount_);
    if (count != expected || count > in_.Left() / size) {
      Damaged(Formatted(Tr("has %u state hashes for %u frames"), count, frameCount_));
    }
    checkpoints.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
      StateCheckpoint& checkpoint = checkpoints[i];
      uint32_t due = i + 1 < count ? (i + 1) * CheckpointPeriod - 1 : frameCount_ - 1;
      checkpoint.frame = U32(Tr("a state hash"));
      if (checkpoint.frame != due) {
        Damaged(Formatted(Tr("a state hash is placed at frame %u instead of %u"), checkpoint.frame,
                          due));
      }
      in_.U64(checkpoint.whole);
      checkpoint.members.resize(memberCount_);
      for (uint32_t& member : checkpoint.members) {
        in_.U32(member);
      }
    }
  }

  [[noreturn]] static void Damaged(const std::string& what) {
    throw Refusal{Formatted(Tr("damaged: %s"), what.c_str())};
  }

 private:
  uint32_t U32(const char* what) {
    uint32_t value = 0;
    if (!in_.U32(value)) {
      Damaged(Formatted(Tr("%s runs past the end"), what));
    }
    return value;
  }

  ByteReader& in_;
  uint32_t frameCount_;
  uint32_t memberCount_;
};

void CheckSummary(const ReplaySummary& summary, uint8_t reserved) {
  bool mode = summary.playMode == 0 || summary.playMode == 's' || summary.playMode == 'p' ||
              summary.playMode == 'c';
  if (!mode || static_cast<int>(summary.start) > 2 || static_cast<int>(summary.result) > 3 ||
      reserved != 0) {
    BodyReader::Damaged(Tr("unknown mode or result"));
  }
}

std::string TooLarge(size_t size) {
  return Formatted(Tr("too large: %zu bytes, the limit is %u"), size, MaxReplayBytes);
}

// Everything the header alone can refuse, in the order that gives the truest reason.
void CheckHeader(const uint8_t* data, size_t size) {
  if (size > MaxReplayBytes) {
    throw Refusal{TooLarge(size)};
  }
  size_t magicBytes = std::min(size, sizeof Magic);
  if (std::memcmp(data, Magic, magicBytes) != 0) {
    throw Refusal{Tr("not a replay file")};
  }
  ByteReader in(data, size);
  in.Take(sizeof Magic);
  uint16_t format = 0;
  uint16_t logic = 0;
  uint32_t declared = 0;
  if (!in.U16(format)) {
    throw Refusal{Formatted(Tr("truncated: %zu bytes, less than its header"), size)};
  }
  if (format != ReplayFormatVersion) {
    throw Refusal{
        Formatted(Tr("replay format version %d is unknown to this program (it reads version %d)"),
                  format, ReplayFormatVersion)};
  }
  if (!in.U16(logic) || !in.U32(declared) || size < HeaderSize + CrcSize) {
    throw Refusal{Formatted(Tr("truncated: %zu bytes, less than its header"), size)};
  }
  if (declared > MaxReplayBytes) {
    throw Refusal{TooLarge(declared)};
  }
  if (size < declared) {
    throw Refusal{Formatted(Tr("truncated: %zu of its %u bytes"), size, declared)};
  }
  if (size > declared) {
    BodyReader::Damaged(Formatted(Tr("%zu bytes after its end"), size - declared));
  }
  uint32_t stored = 0;
  ByteReader crc(data + size - CrcSize, CrcSize);
  crc.U32(stored);
  if (Crc32(data, size - CrcSize) != stored) {
    BodyReader::Damaged(Tr("its checksum does not match its contents"));
  }
  if (logic != GameLogicVersion) {
    throw Refusal{
        Formatted(Tr("recorded under the game's logic version %d, this program plays version %d"),
                  logic, GameLogicVersion)};
  }
}

}  // namespace

std::vector<uint8_t> EncodeReplay(const Replay& replay) {
  ByteWriter out;
  out.Bytes(Magic, sizeof Magic);
  out.U16(ReplayFormatVersion);
  out.U16(replay.logicVersion);
  out.U32(0);  // the file's size, patched below
  out.U8(replay.summary.playMode);
  out.U8(static_cast<uint8_t>(replay.summary.start));
  out.U8(static_cast<uint8_t>(replay.summary.result));
  out.U8(0);
  out.U32(static_cast<uint32_t>(replay.summary.score));
  out.U64(static_cast<uint64_t>(replay.summary.date));
  out.U32(replay.FrameCount());
  out.U32(static_cast<uint32_t>(StateMemberNames().size()));
  out.U32(static_cast<uint32_t>(replay.startState.size()));
  out.Bytes(replay.startState.data(), replay.startState.size());
  out.U32(static_cast<uint32_t>(replay.runs.size()));
  for (const InputRun& run : replay.runs) {
    WriteRun(out, run);
  }
  out.U32(static_cast<uint32_t>(replay.checkpoints.size()));
  for (const StateCheckpoint& checkpoint : replay.checkpoints) {
    out.U32(checkpoint.frame);
    out.U64(checkpoint.whole);
    for (uint32_t member : checkpoint.members) {
      out.U32(member);
    }
  }
  out.PatchU32(12, static_cast<uint32_t>(out.Size() + CrcSize));
  out.U32(Crc32(out.Buffer().data(), out.Size()));
  return std::move(out.Buffer());
}

bool DecodeReplay(const uint8_t* data, size_t size, Replay& replay, std::string& error) {
  try {
    CheckHeader(data, size);
    ByteReader in(data, size - CrcSize);
    in.Take(sizeof Magic + 2);
    Replay result;
    uint32_t declared = 0;
    uint8_t playMode = 0;
    uint8_t start = 0;
    uint8_t ending = 0;
    uint8_t reserved = 0;
    uint32_t score = 0;
    uint64_t date = 0;
    uint32_t frameCount = 0;
    uint32_t memberCount = 0;
    in.U16(result.logicVersion);
    in.U32(declared);
    in.U8(playMode);
    in.U8(start);
    in.U8(ending);
    in.U8(reserved);
    in.U32(score);
    in.U64(date);
    in.U32(frameCount);
    in.U32(memberCount);
    result.summary = {playMode, static_cast<ReplayStart>(start), static_cast<ReplayResult>(ending),
                      static_cast<int32_t>(score), static_cast<int64_t>(date)};
    CheckSummary(result.summary, reserved);
    if (frameCount > MaxReplayFrames) {
      throw Refusal{Formatted(Tr("too long: %u frames, the limit is %u (ten hours)"), frameCount,
                              MaxReplayFrames)};
    }
    if (memberCount != StateMemberNames().size()) {
      BodyReader::Damaged(Formatted(Tr("its state hashes have %u members, the state has %zu"),
                                    memberCount, StateMemberNames().size()));
    }
    BodyReader body(in, frameCount, memberCount);
    body.StartState(result.startState);
    body.Runs(result.runs);
    body.Checkpoints(result.checkpoints);
    if (in.Left() != 0) {
      BodyReader::Damaged(Formatted(Tr("%zu stray bytes before its checksum"), in.Left()));
    }
    BodyReader::CheckStartState(result.startState);
    replay = std::move(result);
    return true;
  } catch (const Refusal& refusal) {
    error = refusal.line;
    return false;
  }
}

bool ReadReplayFile(const std::string& path, Replay& replay, std::string& error) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status {};
  if (fd < 0 || fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const char* cause = std::strerror(errno);
    error =
        fd < 0 ? Formatted(Tr("cannot be read: %s"), cause) : std::string(Tr("not a regular file"));
    if (fd >= 0) {
      close(fd);
    }
    return false;
  }
  auto size = static_cast<size_t>(status.st_size);
  if (size > MaxReplayBytes) {
    close(fd);
    error = TooLarge(size);
    return false;
  }
  std::vector<uint8_t> bytes(size);
  size_t done = 0;
  while (done < size) {
    ssize_t got = read(fd, bytes.data() + done, size - done);
    if (got <= 0) {
      break;
    }
    done += static_cast<size_t>(got);
  }
  close(fd);
  static const uint8_t nothing = 0;
  return DecodeReplay(done > 0 ? bytes.data() : &nothing, done, replay, error);
}

bool WriteReplayFile(const std::string& path, const Replay& replay, std::string& error) {
  std::vector<uint8_t> bytes = EncodeReplay(replay);
  std::string temporary = path + ".XXXXXX";
  int fd = mkstemp(temporary.data());
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) {
      continue;
    }
    if (wrote <= 0) {
      break;
    }
    done += static_cast<size_t>(wrote);
  }
  bool written = done == bytes.size() && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    error = std::strerror(errno);
    unlink(temporary.c_str());
    return false;
  }
  // The rename itself is made durable by syncing the folder that holds it.
  std::string folder = path.find('/') == std::string::npos ? "." : path.substr(0, path.rfind('/'));
  int folderFd = open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    fsync(folderFd);
    close(folderFd);
  }
  return true;
}
