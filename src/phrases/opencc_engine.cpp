#include "phrases/opencc_engine.h"

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <opencc/Config.hpp>
#include <opencc/Conversion.hpp>
#include <opencc/ConversionChain.hpp>
#include <opencc/Converter.hpp>
#include <opencc/DictEntry.hpp>
#include <opencc/DictGroup.hpp>
#include <opencc/Exception.hpp>
#include <opencc/Lexicon.hpp>
#include <opencc/MaxMatchSegmentation.hpp>
#include <opencc/SimpleConverter.hpp>

#include "phrases/utf8_chars.h"

namespace vortane {
namespace {

// Runs `load`, turning whatever OpenCC throws into a message.
std::string Guarded(const std::function<void()>& load) {
  try {
    load();
    return {};
  } catch (const opencc::Exception& e) {
    return e.what();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown failure";
  }
}

// Dictionaries already compiled, by OpenCC's dictionary object: OpenCC loads
// a file once for every place a configuration names it.
using CompiledDictionaries = std::map<const opencc::Dict*, std::shared_ptr<const PhraseTrie>>;

// Adds a dictionary, or each dictionary of a group in order (a group inside
// a group keeps the order: the first one that matches wins either way).
bool AddDictionaries(const opencc::DictPtr& dict, PhraseStage& stage,
                     CompiledDictionaries& compiled, std::string& error) {
  if (const auto group = std::dynamic_pointer_cast<opencc::DictGroup>(dict)) {
    for (const opencc::DictPtr& member : group->GetDicts()) {
      if (!AddDictionaries(member, stage, compiled, error)) {
        return false;
      }
    }
    return true;
  }
  if (const auto found = compiled.find(dict.get()); found != compiled.end()) {
    stage.AddDictionary(found->second);
    return true;
  }
  auto trie = std::make_shared<PhraseTrie>();
  std::u32string key;
  std::u32string value;
  for (const auto& entry : *dict->GetLexicon()) {
    if (!Utf8ToPoints(entry->Key(), key) || !Utf8ToPoints(entry->GetDefault(), value)) {
      error = "dictionary entry is not UTF-8: " + entry->Key();
      return false;
    }
    trie->Add(key, value);
  }
  compiled.emplace(dict.get(), trie);
  stage.AddDictionary(std::move(trie));
  return true;
}

}  // namespace

OpenccTables LoadOpenccTables(const std::string& configPath) {
  OpenccTables result;
  opencc::ConverterPtr converter;
  result.error = Guarded([&] {
    opencc::Config config;
    converter = config.NewFromFile(configPath);
  });
  if (!result.error.empty()) {
    return result;
  }
  const auto segmentation =
      std::dynamic_pointer_cast<opencc::MaxMatchSegmentation>(converter->GetSegmentation());
  if (!segmentation) {
    result.error = configPath + ": a segmentation other than mmseg";
    return result;
  }
  PhraseStage segmentationStage;
  std::vector<PhraseStage> chain;
  std::string error;
  CompiledDictionaries compiled;
  result.error = Guarded([&] {
    if (!AddDictionaries(segmentation->GetDict(), segmentationStage, compiled, error)) {
      return;
    }
    for (const opencc::ConversionPtr& conversion :
         converter->GetConversionChain()->GetConversions()) {
      PhraseStage stage;
      if (!AddDictionaries(conversion->GetDict(), stage, compiled, error)) {
        return;
      }
      chain.push_back(std::move(stage));
    }
  });
  if (result.error.empty() && !error.empty()) {
    result.error = configPath + ": " + error;
  }
  if (result.error.empty()) {
    result.tables = PhraseTables(std::move(segmentationStage), std::move(chain));
  }
  return result;
}

struct OpenccEngine::Impl {
  explicit Impl(const std::string& configPath) : converter(configPath) {}
  opencc::SimpleConverter converter;
};

OpenccEngine::OpenccEngine(Key, std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
OpenccEngine::~OpenccEngine() = default;

OpenccLoad OpenccEngine::Load(const std::string& configPath) {
  OpenccLoad load;
  load.error = Guarded([&] {
    load.engine = std::make_unique<const OpenccEngine>(Key{}, std::make_unique<Impl>(configPath));
  });
  if (!load.engine && load.error.empty()) {
    load.error = "unknown failure";
  }
  return load;
}

bool OpenccEngine::Convert(std::string_view utf8, std::string& out) const {
  std::string converted;
  const std::string error =
      Guarded([&] { converted = impl_->converter.Convert(std::string(utf8)); });
  if (!error.empty()) {
    return false;
  }
  out += converted;
  return true;
}

std::string DefaultOpenccDataDir() { return VORTANE_OPENCC_DATA_DIR; }

}  // namespace vortane
