#pragma once

// A strict JSON reader for tests: tells whether a text is one valid JSON
// value, and finds values by path in it.

#include <cctype>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace vkm::test {

struct JsonValue {
  std::variant<std::nullptr_t, bool, double, std::string, std::vector<JsonValue>, std::map<std::string, JsonValue>>
      value;
  const JsonValue& operator[](const std::string& key) const {
    return std::get<std::map<std::string, JsonValue>>(value).at(key);
  }
  const JsonValue& operator[](std::size_t index) const { return std::get<std::vector<JsonValue>>(value).at(index); }
  const std::string& Text() const { return std::get<std::string>(value); }
  double Number() const { return std::get<double>(value); }
  bool Bool() const { return std::get<bool>(value); }
  std::size_t Size() const {
    if (auto* array = std::get_if<std::vector<JsonValue>>(&value)) return array->size();
    return std::get<std::map<std::string, JsonValue>>(value).size();
  }
};

class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : text_(text) {}

  // The value, or nullptr when the text is not exactly one valid JSON value.
  std::unique_ptr<JsonValue> Read() {
    auto value = std::make_unique<JsonValue>();
    if (!ParseValue(*value)) return nullptr;
    SkipSpace();
    return pos_ == text_.size() ? std::move(value) : nullptr;
  }

 private:
  void SkipSpace() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool Literal(const char* word) {
    const std::string w(word);
    if (text_.compare(pos_, w.size(), w) != 0) return false;
    pos_ += w.size();
    return true;
  }
  bool ParseString(std::string& out) {
    if (pos_ >= text_.size() || text_[pos_] != '"') return false;
    ++pos_;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) return false;
      const char e = text_[pos_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'u': {
          if (pos_ + 4 > text_.size()) return false;
          const unsigned code = static_cast<unsigned>(std::stoul(text_.substr(pos_, 4), nullptr, 16));
          pos_ += 4;
          if (code >= 0x80) return false;  // the tool escapes control characters only
          out += static_cast<char>(code);
          break;
        }
        default: return false;
      }
    }
    return false;
  }
  bool ParseValue(JsonValue& out) {
    SkipSpace();
    if (pos_ >= text_.size()) return false;
    const char c = text_[pos_];
    if (c == '{') {
      ++pos_;
      std::map<std::string, JsonValue> object;
      SkipSpace();
      if (pos_ < text_.size() && text_[pos_] == '}') return ++pos_, out.value = object, true;
      while (true) {
        SkipSpace();
        std::string key;
        if (!ParseString(key)) return false;
        SkipSpace();
        if (pos_ >= text_.size() || text_[pos_++] != ':') return false;
        JsonValue member;
        if (!ParseValue(member)) return false;
        if (!object.emplace(key, std::move(member)).second) return false;  // duplicate key
        SkipSpace();
        if (pos_ >= text_.size()) return false;
        if (text_[pos_] == ',') { ++pos_; continue; }
        if (text_[pos_] == '}') { ++pos_; out.value = std::move(object); return true; }
        return false;
      }
    }
    if (c == '[') {
      ++pos_;
      std::vector<JsonValue> array;
      SkipSpace();
      if (pos_ < text_.size() && text_[pos_] == ']') return ++pos_, out.value = array, true;
      while (true) {
        JsonValue element;
        if (!ParseValue(element)) return false;
        array.push_back(std::move(element));
        SkipSpace();
        if (pos_ >= text_.size()) return false;
        if (text_[pos_] == ',') { ++pos_; continue; }
        if (text_[pos_] == ']') { ++pos_; out.value = std::move(array); return true; }
        return false;
      }
    }
    if (c == '"') {
      std::string s;
      if (!ParseString(s)) return false;
      out.value = std::move(s);
      return true;
    }
    if (Literal("true")) return out.value = true, true;
    if (Literal("false")) return out.value = false, true;
    if (Literal("null")) return out.value = nullptr, true;
    const std::size_t start = pos_;
    if (text_[pos_] == '-') ++pos_;
    if (pos_ >= text_.size() || !std::isdigit(static_cast<unsigned char>(text_[pos_]))) return false;
    if (text_[pos_] == '0' && pos_ + 1 < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_ + 1]))) {
      return false;
    }
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    out.value = std::stod(text_.substr(start, pos_ - start));
    return true;
  }

  const std::string& text_;
  std::size_t pos_ = 0;
};

}  // namespace vkm::test
