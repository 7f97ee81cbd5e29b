#include "phrases/opencc_engine.h"

#include <exception>
#include <opencc/Exception.hpp>
#include <opencc/SimpleConverter.hpp>

namespace vortane {

struct OpenccEngine::Impl {
  explicit Impl(const std::string& configPath) : converter(configPath) {}
  opencc::SimpleConverter converter;
};

OpenccEngine::OpenccEngine(Key, std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
OpenccEngine::~OpenccEngine() = default;

OpenccLoad OpenccEngine::Load(const std::string& configPath) {
  OpenccLoad load;
  try {
    load.engine = std::make_unique<const OpenccEngine>(Key{}, std::make_unique<Impl>(configPath));
  } catch (const opencc::Exception& e) {
    load.error = e.what();
  } catch (const std::exception& e) {
    load.error = e.what();
  } catch (...) {
    load.error = "unknown failure";
  }
  if (!load.engine && load.error.empty()) {
    load.error = "unknown failure";
  }
  return load;
}

bool OpenccEngine::Convert(std::string_view utf8, std::string& out) const {
  try {
    out += impl_->converter.Convert(std::string(utf8));
    return true;
  } catch (const opencc::Exception&) {
  } catch (const std::exception&) {
  } catch (...) {
  }
  return false;
}

std::string DefaultOpenccDataDir() { return VORTANE_OPENCC_DATA_DIR; }

}  // namespace vortane
