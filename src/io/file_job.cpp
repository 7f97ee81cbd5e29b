#include "io/file_job.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace vortane {

namespace {

// Passes reads through, telling `progress` after each how far the input has
// come; once it answers false every read fails, which ends the stream.
class ProgressReader final : public ByteReader {
 public:
  ProgressReader(ByteReader& inner, const FileJob::Progress& progress)
      : inner_(inner), progress_(progress) {}

  ReadResult Read(std::span<char> buffer) override {
    if (cancelled_) {
      return {0, true};
    }
    const ReadResult r = inner_.Read(buffer);
    done_ += r.count;
    if (!progress_(done_)) {
      cancelled_ = true;
      return {0, true};
    }
    return r;
  }
  [[nodiscard]] int error() const override { return cancelled_ ? 0 : inner_.error(); }
  [[nodiscard]] bool cancelled() const { return cancelled_; }

 private:
  ByteReader& inner_;
  const FileJob::Progress& progress_;
  std::uint64_t done_ = 0;
  bool cancelled_ = false;
};

}  // namespace

std::string DescribeFailureCause(const FileJobFailure& failure) {
  if (failure.error != 0) {
    return DescribeError(failure.error);
  }
  switch (failure.stage) {
    case FileJobStage::None:
      return {};
    case FileJobStage::OpenInput:
      return "cannot open";
    case FileJobStage::SameFile:
      return "is the same file as the input";
    case FileJobStage::CreateOutput:
      return "cannot create";
    case FileJobStage::Read:
      return "read failed";
    case FileJobStage::Write:
      return "write failed";
    case FileJobStage::Cancelled:
      return "cancelled";
  }
  return {};
}

bool OutputWouldReplaceInput(const std::string& input, const std::string& output) {
  return IsSameFile(input, output) && !IsSpecialFile(input);
}

bool FileJob::Fail(FileJobStage stage, std::string file, int error) {
  failure_ = {stage, std::move(file), error};
  return false;
}

bool FileJob::OpenInput(const std::string& path) {
  int error = 0;
  inputFile_ = OpenFileReader(path, error);
  if (!inputFile_) {
    return Fail(FileJobStage::OpenInput, path, error);
  }
  inputPath_ = path;
  inputName_ = path;
  input_ = inputFile_.get();
  return true;
}

void FileJob::UseInput(ByteReader& reader, std::string name) {
  inputFile_.reset();
  inputPath_.clear();
  inputName_ = std::move(name);
  input_ = &reader;
}

std::optional<std::uint64_t> FileJob::InputSize() const {
  if (inputPath_.empty()) {
    return std::nullopt;
  }
  std::error_code error;
  const auto size = std::filesystem::file_size(inputPath_, error);
  if (error) {
    return std::nullopt;
  }
  return size;
}

bool FileJob::OpenOutput(const std::string& path) {
  // Created beside and renamed, the output would not even destroy the input;
  // but naming the same file twice is most likely a slip, and the input
  // would be gone.
  if (!inputPath_.empty() && OutputWouldReplaceInput(inputPath_, path)) {
    return Fail(FileJobStage::SameFile, path, 0);
  }
  int error = 0;
  outputFile_ = OutputFile::Create(path, error);
  if (!outputFile_) {
    return Fail(FileJobStage::CreateOutput, path, error);
  }
  outputName_ = path;
  output_ = outputFile_.get();
  return true;
}

void FileJob::UseOutput(ByteWriter& writer, std::string name) {
  outputFile_.reset();
  outputName_ = std::move(name);
  output_ = &writer;
}

std::string FileJob::OutputPath() const { return outputFile_ ? outputFile_->path() : ""; }

bool FileJob::Run(const StreamFunction& function, const Progress& progress) {
  if (input_ == nullptr || output_ == nullptr) {
    return Fail(input_ == nullptr ? FileJobStage::OpenInput : FileJobStage::CreateOutput,
                input_ == nullptr ? inputName_ : outputName_, 0);
  }
  ProgressReader watched(*input_, progress);
  ByteReader& reader = progress ? static_cast<ByteReader&>(watched) : *input_;
  const StreamStatus status = function(reader, *output_);
  const int readError = reader.error();
  inputFile_.reset();
  input_ = nullptr;

  bool ok = true;
  if (watched.cancelled()) {
    ok = Fail(FileJobStage::Cancelled, inputName_, 0);
  } else if (status == StreamStatus::ReadError) {
    ok = Fail(FileJobStage::Read, inputName_, readError);
  } else if (status == StreamStatus::WriteError) {
    ok = Fail(FileJobStage::Write, outputName_, output_->error());
  } else if (outputFile_ && !outputFile_->Commit()) {
    ok = Fail(FileJobStage::Write, outputName_, outputFile_->error());
  }
  // Dropped uncommitted, an output file removes what was written of it.
  if (!ok) {
    outputFile_.reset();
  }
  output_ = nullptr;
  return ok;
}

}  // namespace vortane
