#include "fuzzy/NameFolding.h"

#include <glib.h>

#include <vector>

#include "fuzzy/VersionWords.h"
#include "text/Utf8.h"

namespace {

constexpr char kArticle[] = "the";

// Marks that join the letters around them instead of breaking the word.
bool joinsWord(gunichar c) {
  return c == '\'' || c == '.' || c == '`' || c == 0x00B4 || c == 0x02BC || c == 0x2018 ||
         c == 0x2019;
}

std::string joinWords(const std::vector<std::string>& list, size_t from, size_t to) {
  std::string out;
  for (size_t i = from; i < to; ++i) {
    if (!out.empty()) out += ' ';
    out += list[i];
  }
  return out;
}

void appendPart(std::string* part, const std::string& more) {
  if (more.empty()) return;
  if (!part->empty()) *part += ' ';
  *part += more;
}

// Whether the part after " - " is a version ("Song - Live", "Song - 2011 Remaster"): it
// holds a version word or phrase. Any other such part ("Symphony No. 2 - III. Urlicht")
// belongs to the name.
bool namesVersion(const std::string& folded) {
  const std::vector<std::string> list = foldedWords(folded);
  for (size_t i = 0; i < list.size(); ++i) {
    if (versionPhrase(list[i]) != nullptr) return true;
    if (i + 1 < list.size() && versionPhrase(list[i] + " " + list[i + 1]) != nullptr) {
      return true;
    }
  }
  return false;
}

bool isCreditWord(const std::string& word) {
  return word == "feat" || word == "ft" || word == "featuring";
}

// Splits a folded name at its first credit word that has words on both sides: the words
// before stay in `*core`, those after go to `*featured`.
void splitCredit(std::string* core, std::string* featured) {
  const std::vector<std::string> list = foldedWords(*core);
  for (size_t i = 1; i + 1 < list.size(); ++i) {
    if (!isCreditWord(list[i])) continue;
    appendPart(featured, joinWords(list, i + 1, list.size()));
    *core = joinWords(list, 0, i);
    return;
  }
}

// A bracketed part: a credit when it starts with a credit word, a version otherwise.
void takeBracketed(const std::string& folded, NameParts* parts) {
  const std::vector<std::string> list = foldedWords(folded);
  if (!list.empty() && isCreditWord(list[0])) {
    appendPart(&parts->featured, joinWords(list, 1, list.size()));
  } else {
    appendPart(&parts->version, folded);
  }
}

// Removes "(...)" and "[...]" groups from `text` (an unclosed one runs to the end) and
// hands each, folded, to takeBracketed.
std::string withoutBrackets(const std::string& text, NameParts* parts) {
  std::string rest;
  size_t i = 0;
  while (i < text.size()) {
    const char open = text[i];
    if (open != '(' && open != '[') {
      rest += text[i++];
      continue;
    }
    const size_t close = text.find(open == '(' ? ')' : ']', i + 1);
    const size_t end = close == std::string::npos ? text.size() : close;
    const std::string inside = text.substr(i + 1, end - i - 1);
    // A name that opens with a bracket ("(I Can't Get No) Satisfaction") keeps it.
    if (foldName(rest).empty()) {
      rest += ' ' + inside + ' ';
    } else {
      takeBracketed(foldName(inside), parts);
      rest += ' ';
    }
    i = close == std::string::npos ? text.size() : close + 1;
  }
  return rest;
}

}  // namespace

std::string foldName(const std::string& text) {
  const std::string valid = validUtf8(text);
  GCharPtr decomposed(g_utf8_normalize(valid.c_str(), -1, G_NORMALIZE_NFKD));
  if (decomposed == nullptr) return "";
  GCharPtr folded(g_utf8_casefold(decomposed.get(), -1));
  std::string out;
  bool pendingBreak = false;
  auto append = [&](const char* bytes, size_t length) {
    if (pendingBreak && !out.empty()) out += ' ';
    pendingBreak = false;
    out.append(bytes, length);
  };
  for (const char* p = folded.get(); *p != '\0'; p = g_utf8_next_char(p)) {
    const gunichar c = g_utf8_get_char(p);
    if (g_unichar_ismark(c) || joinsWord(c)) continue;
    if (c == '&') {
      pendingBreak = true;
      append("and", 3);
      pendingBreak = true;
    } else if (g_unichar_isalnum(c)) {
      append(p, g_utf8_next_char(p) - p);
    } else {
      pendingBreak = true;
    }
  }
  return out;
}

NameParts artistParts(const std::string& text) {
  NameParts parts;
  const size_t comma = text.find(',');
  if (comma != std::string::npos && text.find(',', comma + 1) == std::string::npos) {
    const std::string before = foldName(text.substr(0, comma));
    const std::string after = foldName(text.substr(comma + 1));
    if (after == kArticle && !before.empty()) {
      parts.article = kArticle;
      parts.core = before;
    } else if (!before.empty() && !after.empty() && before.find(' ') == std::string::npos &&
               after.find(' ') == std::string::npos) {
      parts.core = after + " " + before;
    }
  }
  if (parts.core.empty()) parts.core = foldName(text);
  splitCredit(&parts.core, &parts.featured);
  const std::string lead = std::string(kArticle) + " ";
  if (parts.article.empty() && parts.core.size() > lead.size() &&
      parts.core.compare(0, lead.size(), lead) == 0) {
    parts.article = kArticle;
    parts.core.erase(0, lead.size());
  }
  return parts;
}

NameParts titleParts(const std::string& text) {
  NameParts parts;
  std::string rest = withoutBrackets(text, &parts);
  const size_t dash = rest.rfind(" - ");
  if (dash != std::string::npos && !foldName(rest.substr(0, dash)).empty()) {
    const std::string after = foldName(rest.substr(dash + 3));
    if (namesVersion(after)) {
      appendPart(&parts.version, after);
      rest.erase(dash);
    }
  }
  parts.core = foldName(rest);
  splitCredit(&parts.core, &parts.featured);
  if (parts.core.empty()) parts.core.swap(parts.version);
  return parts;
}

std::vector<std::string> foldedWords(const std::string& folded) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < folded.size()) {
    size_t end = folded.find(' ', start);
    if (end == std::string::npos) end = folded.size();
    out.push_back(folded.substr(start, end - start));
    start = end + 1;
  }
  return out;
}
