#include "platform/headless/headless_ini.h"

#include "platform/errors.h"
#include "platform/text.h"

namespace plat::headless {

namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  return InvariantUpper(Trim(a)) == InvariantUpper(Trim(b));
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The section a line opens, or nothing.
bool SectionOf(const std::string& line, std::string& name) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  const auto close = t.find(']');
  name = t.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  return true;
}

bool KeyOf(const std::string& line, std::string& key, std::string& value) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] == ';') return false;
  const auto eq = t.find('=');
  if (eq == std::string::npos) return false;
  key = Trim(t.substr(0, eq));
  value = Trim(t.substr(eq + 1));
  return true;
}

std::string Load(FileSystem& files, const std::string& file, bool& exists) {
  exists = false;
  const uint32_t attributes = files.GetAttributes(file);
  if (attributes == kInvalidAttributes || (attributes & kAttrDirectory)) return std::string();
  exists = true;
  auto in = files.OpenRead(file);
  std::string text;
  char buffer[4096];
  for (size_t n; (n = in->Read(buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  return text;
}

}  // namespace

std::string HeadlessIni::Read(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback) {
  bool exists;
  std::string current, k, v;
  bool inSection = false;
  for (const auto& line : SplitLines(Load(files_, file, exists))) {
    if (SectionOf(line, current)) {
      inSection = SameName(current, section);
    } else if (inSection && KeyOf(line, k, v) && SameName(k, key)) {
      return v;
    }
  }
  return fallback;
}

std::vector<std::string> HeadlessIni::Keys(const std::string& file, const std::string& section) {
  bool exists;
  std::vector<std::string> keys;
  std::string current, k, v;
  bool inSection = false;
  for (const auto& line : SplitLines(Load(files_, file, exists))) {
    if (SectionOf(line, current))
      inSection = SameName(current, section);
    else if (inSection && KeyOf(line, k, v))
      keys.push_back(k);
  }
  return keys;
}

void HeadlessIni::Write(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
  bool exists;
  auto lines = SplitLines(Load(files_, file, exists));
  std::string current, k, v;
  bool inSection = false;
  size_t sectionEnd = std::string::npos;  // where a new key of the section goes
  bool written = false;
  for (size_t i = 0; i < lines.size() && !written; ++i) {
    if (SectionOf(lines[i], current)) {
      if (inSection) break;
      inSection = SameName(current, section);
      if (inSection) sectionEnd = i + 1;
    } else if (inSection) {
      if (KeyOf(lines[i], k, v) && SameName(k, key)) {
        lines[i] = k + "=" + value;
        written = true;
      } else if (!Trim(lines[i]).empty()) {
        sectionEnd = i + 1;
      }
    }
  }
  if (!written) {
    if (sectionEnd == std::string::npos) {
      lines.push_back("[" + section + "]");
      sectionEnd = lines.size();
    }
    lines.insert(lines.begin() + static_cast<long>(sectionEnd), key + "=" + value);
  }
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  try {
    auto out = files_.Create(file);
    out->Write(text.data(), text.size());
    out->Close();
  } catch (const EFileError& e) {
    // Worded as the profile API's failure is, the file's own reason after the section and key.
    throw EFileError(file, "nie można zapisać [" + section + "] " + key + ": " +
                               std::string(e.what()).substr(e.Path().size() + 4));
  }
}

void HeadlessIni::Remove(const std::string& file, const std::string& section,
                         const std::string& key) {
  bool exists;
  const auto lines = SplitLines(Load(files_, file, exists));
  if (!exists) return;
  std::string text, current, k, v;
  bool inSection = false;
  for (const auto& line : lines) {
    if (SectionOf(line, current))
      inSection = SameName(current, section);
    else if (inSection && KeyOf(line, k, v) && SameName(k, key))
      continue;
    text += line + "\r\n";
  }
  auto out = files_.Create(file);
  out->Write(text.data(), text.size());
  out->Close();
}

}  // namespace plat::headless
