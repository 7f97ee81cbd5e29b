// One file job, shared by every command that streams a file into a file: the
// input (a file, or a stream the caller holds open such as standard input),
// the refusal of an output that is the input file itself, the output (a file
// replaced only when complete, or a stream), the pump with progress and
// cancel, the commit, and what failed where.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "codec/byte_stream.h"
#include "io/file_stream.h"

namespace vortane {

// Where a file job stopped.
enum class FileJobStage {
  None,          // nothing failed
  OpenInput,     // the input file cannot be opened
  SameFile,      // the output names the input file
  CreateOutput,  // the output file cannot be created
  Read,          // reading the input failed
  Write,         // writing or committing the output failed
  Cancelled,     // the progress callback asked to stop
};

// What failed: the stage, the name of the file concerned (the input's for
// OpenInput and Read, the output's otherwise) and the errno (0 when none
// applies, as for SameFile and Cancelled).
struct FileJobFailure {
  FileJobStage stage = FileJobStage::None;
  std::string file;
  int error = 0;
};

// The cause of a failure as people read it: the errno's text when there is
// one, otherwise a short English phrase for the stage ("cannot open", "is the
// same file as the input", "read failed", ...). Empty for None.
[[nodiscard]] std::string DescribeFailureCause(const FileJobFailure& failure);

// True when writing `output` would destroy `input` before it is read: both
// name the same regular file. Devices and pipes may be read and written both.
[[nodiscard]] bool OutputWouldReplaceInput(const std::string& input, const std::string& output);

class FileJob {
 public:
  // A stream function: reads its input to the end (or to its own end) and
  // writes its output; it neither opens nor closes anything.
  using StreamFunction = std::function<StreamStatus(ByteReader&, ByteWriter&)>;
  // Called after every read with the bytes read so far; false cancels the job.
  using Progress = std::function<bool(std::uint64_t done)>;

  FileJob() = default;
  FileJob(const FileJob&) = delete;
  FileJob& operator=(const FileJob&) = delete;

  // Opens the input file `path`; false with failure() (OpenInput) when it
  // cannot be opened or is a directory.
  [[nodiscard]] bool OpenInput(const std::string& path);
  // Reads from `reader`, which the caller keeps alive; `name` stands for it
  // in failures.
  void UseInput(ByteReader& reader, std::string name);
  // The input file's size when it is a regular file (a hint: it may change).
  [[nodiscard]] std::optional<std::uint64_t> InputSize() const;

  // Creates the output file `path` (written beside and renamed into place by
  // Run). false with failure(): SameFile when it names the input file,
  // CreateOutput when it cannot be created.
  [[nodiscard]] bool OpenOutput(const std::string& path);
  // Writes to `writer`, which the caller keeps alive; `name` stands for it.
  void UseOutput(ByteWriter& writer, std::string name);
  // The file the output goes to (symbolic links followed); empty for a stream.
  [[nodiscard]] std::string OutputPath() const;

  // Runs `function` from the input to the output, calling `progress` (when
  // set) after every read, and commits an output file. false with failure()
  // (Read, Write or Cancelled); an uncommitted output file is then removed and
  // a file it was to replace stays as it was. Needs an input and an output.
  [[nodiscard]] bool Run(const StreamFunction& function, const Progress& progress = {});

  [[nodiscard]] const FileJobFailure& failure() const { return failure_; }

 private:
  bool Fail(FileJobStage stage, std::string file, int error);

  std::string inputPath_;  // empty for a stream input
  std::string inputName_;
  std::unique_ptr<FileReader> inputFile_;
  ByteReader* input_ = nullptr;
  std::string outputName_;
  std::unique_ptr<OutputFile> outputFile_;
  ByteWriter* output_ = nullptr;
  FileJobFailure failure_;
};

}  // namespace vortane
