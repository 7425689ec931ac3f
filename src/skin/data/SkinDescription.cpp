#include "SkinDescription.h"

#include "base/DateTime.h"

namespace tolvar {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view TrimView(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

unsigned char UpperAscii(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 'a' && u <= 'z' ? u - 'a' + 'A' : u;
}

}  // namespace

size_t SkinDescription::NoCaseHash::operator()(std::string_view s) const {
    size_t h = 14695981039346656037ull;  // FNV-1a over the upper-cased bytes
    for (char c : s) h = (h ^ UpperAscii(c)) * 1099511628211ull;
    return h;
}

bool SkinDescription::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

SkinDescription SkinDescription::FromText(std::string_view text) {
    SkinDescription d;
    d.Parse(TextToLines(text));
    return d;
}

void SkinDescription::Parse(const TextLines& lines) {
    sections_.clear();
    index_.clear();
    for (const std::string& raw : lines) {
        const std::string_view line = TrimView(raw);
        if (line.empty() || line[0] == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            Section s;
            s.name = std::string(TrimView(line.substr(1, line.size() - 2)));
            index_[s.name] = sections_.size();
            sections_.push_back(std::move(s));
            continue;
        }
        if (sections_.empty()) continue;  // lines before the first section are not read
        Section& s = sections_.back();
        Line l;
        l.text = std::string(line);
        const size_t eq = line.find('=');
        if (eq != std::string_view::npos) {
            l.hasKey = true;
            l.key = std::string(TrimView(line.substr(0, eq)));
            l.value = std::string(TrimView(line.substr(eq + 1)));
            s.keys[l.key] = s.lines.size();
        }
        s.lines.push_back(std::move(l));
    }
}

const SkinDescription::Section* SkinDescription::FindSection(std::string_view section) const {
    const auto it = index_.find(section);
    return it == index_.end() ? nullptr : &sections_[it->second];
}

const SkinDescription::Line* SkinDescription::FindLine(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) return nullptr;
    const auto it = s->keys.find(key);
    return it == s->keys.end() ? nullptr : &s->lines[it->second];
}

const std::string* SkinDescription::FindValue(const Section* s, std::string_view key) {
    if (!s) return nullptr;
    const auto it = s->keys.find(key);
    return it == s->keys.end() ? nullptr : &s->lines[it->second].value;
}

bool SkinDescription::SectionExists(std::string_view section) const {
    const Section* s = FindSection(section);
    return s && !s->lines.empty();
}

bool SkinDescription::ValueExists(std::string_view section, std::string_view key) const {
    return FindLine(section, key) != nullptr;
}

std::string SkinDescription::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const Line* l = FindLine(section, key);
    return l ? l->value : std::string(def);
}

int32_t SkinDescription::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    const Line* l = FindLine(section, key);
    if (!l) return def;
    const auto v = TryStrToInt(l->value);
    return v ? *v : def;
}

SkinDescription::Section& SkinDescription::Ensure(std::string_view section) {
    const auto it = index_.find(section);
    if (it != index_.end()) return sections_[it->second];
    Section s;
    s.name = std::string(section);
    index_[std::string(section)] = sections_.size();
    sections_.push_back(std::move(s));
    return sections_.back();
}

void SkinDescription::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Section& s = Ensure(section);
    Line l;
    l.hasKey = true;
    l.key = std::string(TrimView(key));
    l.value = std::string(TrimView(value));
    l.text = l.key + "=" + l.value;
    const auto it = s.keys.find(l.key);
    if (it != s.keys.end()) {
        s.lines[it->second] = std::move(l);
        return;
    }
    s.keys[l.key] = s.lines.size();
    s.lines.push_back(std::move(l));
}

void SkinDescription::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void SkinDescription::EraseSection(std::string_view section) {
    std::erase_if(sections_, [&](const Section& s) { return NoCaseEqual()(s.name, section); });
    Reindex();
}

void SkinDescription::Reindex() {
    index_.clear();
    for (size_t i = 0; i < sections_.size(); ++i) index_[sections_[i].name] = i;
}

TextLines SkinDescription::ToLines() const {
    TextLines out;
    for (const Section& s : sections_) {
        out.push_back("[" + s.name + "]");
        for (const Line& l : s.lines) out.push_back(l.text);
    }
    return out;
}

}  // namespace tolvar
