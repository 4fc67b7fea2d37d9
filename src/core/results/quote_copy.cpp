#include "core/results/quote_copy.h"

#include <algorithm>

#include "core/common/sjis.h"

namespace tvp {

namespace {

const char kSection[] = "QuoteCopy";
constexpr int kMaxHeaderItems = 1000;

bool BeginsWithBlank(const std::string& line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

void AddLines(std::vector<std::string>& out, const std::vector<std::string>& lines, const std::string& prefix) {
  for (const std::string& line : lines) out.push_back(prefix + line);
}

}  // namespace

std::string HeaderName(const std::string& line, const std::string& previousName) {
  size_t colon = Find(line, ": ");
  if (colon != std::string::npos) return line.substr(0, colon + 1);
  return BeginsWithBlank(line) ? previousName : std::string();
}

TQuoteSource SplitQuoteSource(const std::vector<std::string>& lines, const std::string& selectedText) {
  TQuoteSource source;
  std::string name;
  size_t i = 0;
  for (; i < lines.size(); ++i) {
    name = HeaderName(lines[i], name);
    if (name.empty() && !BeginsWithBlank(lines[i])) break;
  }
  source.Headers.assign(lines.begin(), lines.begin() + i);
  source.Body.assign(lines.begin() + i, lines.end());
  source.Selection = SplitLines(selectedText);
  return source;
}

std::vector<std::string> HeaderNamesOf(const std::vector<std::string>& headers) {
  std::vector<std::string> names;
  std::string name;
  for (const std::string& line : headers) {
    name = HeaderName(line, name);
    if (name.empty()) continue;
    bool known = std::any_of(names.begin(), names.end(), [&](const std::string& n) { return EqualsNoCase(n, name); });
    if (!known) names.push_back(name);
  }
  return names;
}

std::string HeaderText(const std::vector<std::string>& headers, const std::string& name, const std::string& prefix) {
  std::string text;
  bool inPiece = false;
  for (const std::string& line : headers) {
    if (line.empty()) break;
    if (!name.empty() && line.compare(0, name.size(), name) == 0) {
      if (!text.empty()) text += "\r\n";
      text += prefix + line;
      inPiece = true;
    } else if (inPiece && BeginsWithBlank(line)) {
      text += "\r\n" + prefix + line;
    } else {
      inPiece = false;
    }
  }
  return text;
}

std::string QuoteCopyText(const TQuoteSource& source, const TQuoteRequest& request) {
  std::vector<std::string> out;
  if (request.Append && !request.ClipboardText.empty()) {
    out = SplitLines(request.ClipboardText);
    out.push_back("");
  }
  if (request.Headers != THeaderChoice::None) {
    if (request.Headers == THeaderChoice::All) {
      AddLines(out, source.Headers, request.Prefix);
    } else {
      for (const std::string& name : request.SelectedNames) out.push_back(HeaderText(source.Headers, name, request.Prefix));
    }
    out.push_back(request.Prefix);
  }
  AddLines(out, source.Selection.empty() ? source.Body : source.Selection, request.Prefix);
  std::string text;
  for (const std::string& line : out) text += line + "\r\n";
  return text;
}

std::string QuotePrefix(const std::string& prefix) { return "'" + ReplaceAll(prefix, "'", "''") + "'"; }

std::string UnquotePrefix(const std::string& stored) {
  if (stored.empty() || stored[0] != '\'') return std::string();
  std::string out;
  for (size_t i = 1; i < stored.size(); ++i) {
    if (stored[i] == '\'') {
      if (i + 1 < stored.size() && stored[i + 1] == '\'') {
        out += '\'';
        ++i;
        continue;
      }
      break;  // the closing quote
    }
    out += stored[i];
  }
  return out;
}

TQuoteCopySettings LoadQuoteCopySettings(const IniFile& ini) {
  TQuoteCopySettings s;
  s.Prefix = UnquotePrefix(ini.Read(kSection, "DefaultPrefix", "'>'"));
  s.HeaderType = ToIntDef(ini.Read(kSection, "HeaderType", "0"), 0);
  s.HeaderCount = ToIntDef(ini.Read(kSection, "HeaderCount", "-1"), -1);
  // A corrupt count cannot make the dialog read keys for ever.
  for (int i = 1; i <= std::min(s.HeaderCount, kMaxHeaderItems); ++i) s.Items.push_back(ini.Read(kSection, "HeaderItem" + std::to_string(i)));
  std::string selected = ini.Read(kSection, "HeaderSelected");
  size_t start = 0;
  while (start <= selected.size()) {
    size_t comma = selected.find(',', start);
    if (comma == std::string::npos) comma = selected.size();
    int n = ToIntDef(selected.substr(start, comma - start), 0);
    if (n > 0) s.Selected.push_back(n);
    start = comma + 1;
  }
  return s;
}

void SaveHeaderChoice(IniFile& ini, THeaderChoice choice, const std::vector<std::string>& items,
                      const std::vector<int>& selectedOneBased) {
  ini.Write(kSection, "HeaderType", std::to_string(static_cast<int>(choice)));
  if (choice != THeaderChoice::Select) return;
  ini.Write(kSection, "HeaderCount", std::to_string(items.size()));
  for (size_t i = 0; i < items.size(); ++i) ini.Write(kSection, "HeaderItem" + std::to_string(i + 1), items[i]);
  std::string selected;
  for (int n : selectedOneBased) selected += (selected.empty() ? "" : ",") + std::to_string(n);
  ini.Write(kSection, "HeaderSelected", selected);
}

void SavePrefix(IniFile& ini, const std::string& prefix) { ini.Write(kSection, "DefaultPrefix", QuotePrefix(prefix)); }

}  // namespace tvp
