#include "detect/readings.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_set>
#include <utility>

#include "charsets/charset_text.h"
#include "charsets/label_map.h"
#include "detect/char_score.h"
#include "detect/code_points.h"
#include "detect/text_score.h"
#include "detect/utf8_evidence.h"

namespace vortane {
namespace {

constexpr std::size_t kMostReadings = 10;
bool IsTransferDecoding(RepairStep step) {
  return step == RepairStep::Base64 || step == RepairStep::QuotedPrintable ||
         step == RepairStep::QuotedPrintableRepaired || step == RepairStep::Hz ||
         step == RepairStep::Utf7;
}

// How much a step must raise the score. A transfer decoding has the text's
// form to go by (escapes, Base64 lines) and only has to raise it; undoing a
// display has only the score, and Latin text can reach a few common
// characters by chance. Setting the eighth bit has weighed the text against
// English already (SetEighthBit), so a little more than a transfer decoding:
// a line of transliterated names (阿姆哈拉语) scores little as characters.
std::int64_t StepMargin(RepairStep step) {
  switch (step) {
    case RepairStep::EighthBit:
      return 1 * kPointsPerNat;
    case RepairStep::ShownAsLatin1:
    case RepairStep::ShownAsCp1252:
    case RepairStep::ShownAsGbk:
    case RepairStep::ShownAsBig5:
      return 2 * kPointsPerNat;
    default:
      return 1;
  }
}
// Bounds the search on text that many steps apply to.
constexpr std::size_t kMostNodes = 64;
constexpr std::int64_t kNoValue = std::numeric_limits<std::int64_t>::min() / 4;

// One text the search reached: its bytes and the steps that made them.
struct Node {
  std::string bytes;
  std::vector<RepairStep> steps;
  std::int64_t shorterBest = kNoValue;  // best clean decoding of the nodes it extends
  std::int64_t margin = 0;              // what its steps must add to shorterBest
};

struct Scored {
  Reading reading;
  std::int64_t points = 0;
};

double Nats(std::int64_t points) { return static_cast<double>(points) / kPointsPerNat; }

// The score of a clean decoding in `code` of bytes made by `steps`: its
// text's score, and for UTF-8 not made by the UTF-7 step (which always gives
// well-formed UTF-8) what the UTF-8 says for itself.
TextScore ScoreDecoding(Charset code, std::span<const RepairStep> steps, std::string_view utf8) {
  TextScore score = ScoreText(utf8, code == Charset::Big5Hkscs);
  if (code == Charset::Utf8 && (steps.empty() || steps.back() != RepairStep::Utf7)) {
    score.points += Utf8Evidence(utf8);
  }
  return score;
}

bool Ranks(const Scored& a, const Scored& b) {
  if (a.points != b.points) {
    return a.points > b.points;
  }
  return a.reading.steps.size() < b.reading.steps.size();
}

// Decodes `bytes` in `code`; on a sample (`cutEnd`) a character cut off by
// the sample's end is dropped rather than making the decoding unclean.
DecodedText DecodeNode(Charset code, std::string_view bytes, bool cutEnd) {
  DecodedText decoded = DecodeToUtf8(code, bytes);
  for (std::size_t drop = 1; cutEnd && decoded.unreadable != 0 && drop <= 3 && drop < bytes.size();
       ++drop) {
    DecodedText shorter = DecodeToUtf8(code, bytes.substr(0, bytes.size() - drop));
    if (shorter.unreadable == 0) {
      return shorter;
    }
  }
  return decoded;
}

std::vector<Scored> Search(std::string_view bytes, bool sample) {
  std::vector<Scored> found;
  std::vector<Node> nodes;
  std::unordered_set<std::string> seen;
  nodes.push_back(Node{std::string(bytes), {}, kNoValue, 0});
  seen.insert(nodes.front().bytes);
  for (std::size_t at = 0; at < nodes.size(); ++at) {
    // The node's clean decodings; it offers readings only when the best of
    // them reads as Chinese (French in UTF-8 is no GB text, however its
    // accents read in GB).
    std::vector<Scored> decodings;
    std::int64_t value = kNoValue;
    std::int64_t chineseValue = kNoValue;
    bool bestIsChinese = false;
    // Setting the eighth bit chooses GB 2312 pairs: what it makes is GB text,
    // whatever else the same bytes decode in.
    const bool gbOnly = std::find(nodes[at].steps.begin(), nodes[at].steps.end(),
                                  RepairStep::EighthBit) != nodes[at].steps.end();
    for (const Charset code : kFinalCodes) {
      if (gbOnly && code != Charset::Gb18030) {
        continue;
      }
      DecodedText decoded = DecodeNode(code, nodes[at].bytes, sample);
      if (decoded.unreadable != 0) {
        continue;
      }
      const TextScore score = ScoreDecoding(code, nodes[at].steps, decoded.utf8);
      const bool chinese = ReadsAsChinese(score);
      if (score.points > value) {
        value = score.points;
        bestIsChinese = chinese;
      }
      if (chinese) {
        decodings.push_back(
            Scored{Reading{nodes[at].steps, code, Nats(score.points), std::move(decoded.utf8)},
                   score.points});
      }
    }
    const std::int64_t needed =
        nodes[at].steps.empty() ? kNoValue : nodes[at].shorterBest + nodes[at].margin;
    for (Scored& decoding : decodings) {
      if (!bestIsChinese || decoding.points <= needed) {
        continue;
      }
      const bool again = std::any_of(found.begin(), found.end(), [&](const Scored& s) {
        return s.reading.text == decoding.reading.text;
      });
      if (!again) {
        found.push_back(std::move(decoding));
      }
    }
    if (nodes[at].steps.size() >= kMostSteps) {
      continue;
    }
    for (const RepairStep step : kRepairSteps) {
      if (nodes.size() >= kMostNodes) {
        break;
      }
      std::optional<std::string> next = TakeRepairStep(step, nodes[at].bytes);
      if (!next || !seen.insert(*next).second) {
        continue;
      }
      std::vector<RepairStep> steps = nodes[at].steps;
      steps.push_back(step);
      // A transfer decoding has to beat the Chinese readings before it: text
      // in Base64 or escapes is no reading of its own, however plain its
      // ASCII. The other steps have to beat every clean decoding before them.
      const std::int64_t before = IsTransferDecoding(step) ? chineseValue : value;
      const std::int64_t shorterBest = std::max(nodes[at].shorterBest, before);
      const std::int64_t margin = nodes[at].margin + StepMargin(step);
      nodes.push_back(Node{std::move(*next), std::move(steps), shorterBest, margin});
    }
  }
  std::stable_sort(found.begin(), found.end(), Ranks);
  if (found.size() > kMostReadings) {
    found.resize(kMostReadings);
  }
  return found;
}

// The sample of a long text: its first kSampleBytes, cut after the last line
// end in the second half so that a Base64 group or a character is not split.
std::string_view Sample(std::string_view bytes) {
  std::string_view sample = bytes.substr(0, kSampleBytes);
  const std::size_t lineEnd = sample.rfind('\n');
  if (lineEnd != std::string_view::npos && lineEnd >= kSampleBytes / 2) {
    sample = sample.substr(0, lineEnd + 1);
  }
  return sample;
}

}  // namespace

std::optional<Reading> ReadWithChain(std::string_view bytes, std::span<const RepairStep> steps,
                                     Charset code) {
  std::string current(bytes);
  for (const RepairStep step : steps) {
    std::optional<std::string> next = TakeRepairStep(step, current);
    if (!next) {
      return std::nullopt;
    }
    current = std::move(*next);
  }
  DecodedText decoded = DecodeToUtf8(code, current);
  if (decoded.unreadable != 0) {
    return std::nullopt;
  }
  const TextScore score = ScoreDecoding(code, steps, decoded.utf8);
  return Reading{std::vector<RepairStep>(steps.begin(), steps.end()), code, Nats(score.points),
                 std::move(decoded.utf8)};
}

std::vector<Reading> FindReadings(std::string_view bytes) {
  std::vector<Reading> readings;
  if (bytes.size() <= kWholeTextLimit) {
    for (Scored& s : Search(bytes, false)) {
      readings.push_back(std::move(s.reading));
    }
    return readings;
  }
  // The first chain of the sample that also decodes the whole text cleanly.
  for (const Scored& s : Search(Sample(bytes), true)) {
    std::optional<Reading> whole = ReadWithChain(bytes, s.reading.steps, s.reading.code);
    if (whole && ReadsAsChinese(ScoreDecoding(whole->code, whole->steps, whole->text))) {
      readings.push_back(std::move(*whole));
      break;
    }
  }
  return readings;
}

std::string_view FinalCodeName(Charset code) {
  switch (code) {
    case Charset::Utf8:
      return "UTF-8";
    case Charset::Gb18030:
      return "GB18030";
    case Charset::Big5Hkscs:
      return "Big5-HKSCS";
    default:
      return CharsetName(code);
  }
}

std::vector<std::string_view> ChainNames(const Reading& reading) {
  std::vector<std::string_view> names;
  for (const RepairStep step : reading.steps) {
    names.push_back(RepairStepName(step));
  }
  names.push_back(FinalCodeName(reading.code));
  return names;
}

std::string ChainInWords(const Reading& reading) {
  std::string words;
  for (const std::string_view name : ChainNames(reading)) {
    if (!words.empty()) {
      words += ", then ";
    }
    words += name;
  }
  return words;
}

std::optional<Charset> BestCodeFor(std::string_view bytes, std::span<const Charset> candidates) {
  std::optional<Charset> best;
  std::int64_t bestPoints = 0;
  for (const Charset code : candidates) {
    const DecodedText decoded = DecodeToUtf8(code, bytes);
    const std::int64_t points = decoded.unreadable == 0
                                    ? ScoreDecoding(code, {}, decoded.utf8).points
                                    : ScoreText(decoded.utf8).points;
    if (!best || points > bestPoints) {
      best = code;
      bestPoints = points;
    }
  }
  return best;
}

}  // namespace vortane
