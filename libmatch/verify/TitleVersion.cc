#include "verify/TitleVersion.h"

#include <algorithm>
#include <cstdlib>

#include "fuzzy/NameFolding.h"
#include "fuzzy/NameSimilarity.h"
#include "fuzzy/VersionWords.h"

namespace {

// Words after which a lone i, v or x is a number ("Part I"), not a word.
constexpr const char* kNumberWords[] = {"part", "pt", "vol", "volume", "no", "nr", "number",
                                        "chapter", "act", "book", "op", "opus", "symphony",
                                        "movement", "episode", "ep", "disc", "cd", "track"};

bool isNumberWord(const std::string& word) {
  return std::any_of(std::begin(kNumberWords), std::end(kNumberWords),
                     [&](const char* w) { return word == w; });
}

// A Roman numeral up to 39 (xxxix), in lower case.
int romanValue(const std::string& word) {
  static const char* const kOnes[] = {"", "i", "ii", "iii", "iv", "v", "vi", "vii", "viii", "ix"};
  size_t at = 0;
  int tens = 0;
  while (at < word.size() && word[at] == 'x' && tens < 3) ++at, ++tens;
  const std::string rest = word.substr(at);
  for (int one = 0; one < 10; ++one) {
    if (rest == kOnes[one]) return tens * 10 + one;
  }
  return 0;
}

// The digit a letter is read as where OCR confuses them ("20l2" is 2012), or 0 for none.
char confusedDigit(char c) {
  switch (c) {
    case 'o': return '0';
    case 'l': case 'i': return '1';
    case 'z': return '2';
    case 's': return '5';
    case 'b': return '8';
    default: return c >= '0' && c <= '9' ? c : 0;
  }
}

// The digits of a word of digits, some perhaps read as letters; "" for any other word.
std::string digitsOf(const std::string& word) {
  if (word.empty() || word.size() > 9) return "";
  std::string digits;
  bool anyDigit = false;
  for (char c : word) {
    const char digit = confusedDigit(c);
    if (digit == 0) return "";
    anyDigit = anyDigit || c == digit;
    digits += digit;
  }
  return anyDigit ? digits : "";
}

// `word` with the digit 1 read as the letter i it may stand for ("1II" is III).
std::string onesAsI(std::string word) {
  std::replace(word.begin(), word.end(), '1', 'i');
  return word;
}

// Adds the numbers of `words` to `version`: to `plainNumbers` too when written plainly,
// in digits alone or as a Roman numeral after a number word ("Part II").
void addNumbers(const std::vector<std::string>& words, TitleVersion* version) {
  auto add = [&](uint32_t number, bool plain) {
    version->numbers.push_back(number);
    if (plain) version->plainNumbers.push_back(number);
  };
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool afterNumberWord = i > 0 && isNumberWord(words[i - 1]);
    const bool allDigits = word.find_first_not_of("0123456789") == std::string::npos;
    // A Roman numeral that OCR gave a 1 for an I, when the word has letters too.
    const int misreadRoman =
        word.find('1') != std::string::npos && !allDigits ? romanValue(onesAsI(word)) : 0;
    if (misreadRoman > 0) {
      add(static_cast<uint32_t>(misreadRoman), false);
      continue;
    }
    const std::string digits = digitsOf(word);
    if (!digits.empty()) {
      add(static_cast<uint32_t>(strtoul(digits.c_str(), nullptr, 10)), allDigits);
      continue;
    }
    const int roman = romanValue(word);
    if (roman > 0 && (word.size() > 1 || afterNumberWord)) {
      add(static_cast<uint32_t>(roman), afterNumberWord);
    }
  }
}

// `phrase` as OCR may have misread it: "rn" for m, "cl" for d (not opening a word: "club"
// is a word), "vv" for w, digits for letters.
std::string ocrRepaired(const std::string& phrase) {
  std::string out;
  for (size_t i = 0; i < phrase.size(); ++i) {
    const bool wordStart = i == 0 || phrase[i - 1] == ' ';
    if (phrase.compare(i, 2, "rn") == 0) {
      out += 'm';
      ++i;
    } else if (phrase.compare(i, 2, "cl") == 0 && !wordStart) {
      out += 'd';
      ++i;
    } else if (phrase.compare(i, 2, "vv") == 0) {
      out += 'w';
      ++i;
    } else {
      const char c = phrase[i];
      out += c == '0' ? 'o' : c == '1' ? 'l' : c == '5' ? 's' : c;
    }
  }
  return out;
}

// Whether `a` and `b` are one typing error apart: a letter changed, left out, added, or
// swapped with the next.
bool oneTypoApart(const std::string& a, const std::string& b) {
  const std::string& shorter = a.size() <= b.size() ? a : b;
  const std::string& longer = a.size() <= b.size() ? b : a;
  if (longer.size() - shorter.size() > 1) return false;
  size_t i = 0;
  while (i < shorter.size() && shorter[i] == longer[i]) ++i;
  if (i == shorter.size()) return longer.size() != shorter.size();
  if (shorter.size() == longer.size()) {
    if (shorter.compare(i + 1, std::string::npos, longer, i + 1, std::string::npos) == 0) {
      return true;
    }
    return i + 1 < shorter.size() && shorter[i] == longer[i + 1] &&
           shorter[i + 1] == longer[i] &&
           shorter.compare(i + 2, std::string::npos, longer, i + 2, std::string::npos) == 0;
  }
  return shorter.compare(i, std::string::npos, longer, i + 1, std::string::npos) == 0;
}

// The version phrase `phrase` names, read as it stands, else as OCR may have misread it
// ("rernix", "Eclit", "Iive"), else, for a word of five letters or more, one typing error
// away ("Reimx", "instrumentaal"): shorter words are too near other words ("love").
const VersionPhrase* versionPhraseRead(const std::string& phrase) {
  constexpr size_t kTypoLength = 5;
  if (const VersionPhrase* found = versionPhrase(phrase)) return found;
  std::string repaired = ocrRepaired(phrase);
  if (const VersionPhrase* found = versionPhrase(repaired)) return found;
  for (char& c : repaired) {
    if (c != 'i') continue;
    c = 'l';
    if (const VersionPhrase* found = versionPhrase(repaired)) return found;
    c = 'i';
  }
  if (phrase.find(' ') != std::string::npos || phrase.size() + 1 < kTypoLength) return nullptr;
  return versionPhraseNear(phrase, [](const std::string& word, const char* entry) {
    return std::string(entry).size() >= kTypoLength && oneTypoApart(word, entry);
  });
}

// Reads the version words of `words` into `version`; true when one of them is neutral.
bool readVersionWords(const std::vector<std::string>& words, TitleVersion* version) {
  bool neutral = false;
  size_t nameStart = 0;  // where the words before a remix word (its maker) begin
  for (size_t i = 0; i < words.size();) {
    const VersionPhrase* found = nullptr;
    size_t length = 0;
    for (size_t n = std::min(kLongestVersionPhrase, words.size() - i); n > 0 && found == nullptr; --n) {
      std::string phrase = words[i];
      for (size_t k = 1; k < n; ++k) phrase += " " + words[i + k];
      found = versionPhraseRead(phrase);
      length = n;
    }
    if (found == nullptr) {
      ++i;
      continue;
    }
    // "<name> mix" is a remix by that name; a lone "mix" says nothing.
    const bool namedMix =
        found->kind == 0 && std::string(found->phrase) == "mix" && i > nameStart;
    const uint32_t kind = namedMix ? kRemix : found->kind;
    if (kind == 0) neutral = true;
    if (kind == kRemix && version->remixer.empty() && i > nameStart) {
      for (size_t k = nameStart; k < i; ++k) {
        if (!version->remixer.empty()) version->remixer += ' ';
        version->remixer += words[k];
      }
    }
    version->kinds |= kind;
    i += length;
    nameStart = i;
  }
  return neutral;
}

std::string numbersText(const std::vector<uint32_t>& numbers) {
  if (numbers.empty()) return "none";
  std::string out;
  for (uint32_t n : numbers) out += (out.empty() ? "" : ",") + std::to_string(n);
  return out;
}

}  // namespace

TitleVersion readTitleVersion(const std::string& title) {
  return readTitleVersion(titleParts(title));
}

TitleVersion readTitleVersion(const NameParts& parts) {
  TitleVersion version;
  addNumbers(foldedWords(parts.core), &version);
  const std::vector<std::string> versionWords = foldedWords(parts.version);
  // A neutral descriptor's numbers ("Remastered 2011") say nothing of the recording.
  if (!readVersionWords(versionWords, &version)) addNumbers(versionWords, &version);
  std::sort(version.numbers.begin(), version.numbers.end());
  std::sort(version.plainNumbers.begin(), version.plainNumbers.end());
  return version;
}

uint32_t versionKindsIn(const std::string& text) {
  TitleVersion version;
  readVersionWords(foldedWords(foldName(text)), &version);
  return version.kinds;
}

std::string versionText(const TitleVersion& version) {
  static const char* const kNames[] = {"remix", "live", "unplugged", "acoustic", "instrumental",
                                       "karaoke", "a cappella", "demo", "edit", "extended"};
  std::string out;
  for (size_t bit = 0; bit < std::size(kNames); ++bit) {
    if (!(version.kinds & (1u << bit))) continue;
    if (!out.empty()) out += ", ";
    out += kNames[bit];
    if ((1u << bit) == kRemix && !version.remixer.empty()) out += " by " + version.remixer;
  }
  return out.empty() ? "none" : out;
}

bool cutShortOf(const std::string& queryFolded, const std::string& trackFolded) {
  const std::vector<std::string> queryWords = foldedWords(queryFolded);
  const std::vector<std::string> trackWords = foldedWords(trackFolded);
  return !queryWords.empty() && queryWords.size() < trackWords.size() &&
         std::equal(queryWords.begin(), queryWords.end(), trackWords.begin());
}

std::string titleDisagreement(const TitleVersion& query, const TitleVersion& track) {
  // Makers of one remix spelt alike enough are one maker: the query's may be misspelt.
  constexpr float kSameMaker = 70;
  const bool otherMaker = (query.kinds & track.kinds & kRemix) && !query.remixer.empty() &&
                          !track.remixer.empty() &&
                          nameSimilarity(query.remixer, track.remixer) < kSameMaker;
  if (query.kinds != track.kinds || otherMaker) {
    return "version differs: " + versionText(query) + " / " + versionText(track);
  }
  // Against a track without numbers only plain ones count: "XX" or "B0ss" may be letters.
  const std::vector<uint32_t>& numbers = track.numbers.empty() ? query.plainNumbers : query.numbers;
  if (!numbers.empty() && numbers != track.numbers) {
    return "number differs: " + numbersText(numbers) + " / " + numbersText(track.numbers);
  }
  return "";
}
