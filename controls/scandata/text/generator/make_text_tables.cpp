// Build-time generator: reads the UTF-8 sources of the unit texts and the state-text tables and
// writes a C++ source file with their code page 949 bytes. Any doubt about the sources (a text
// that code page 949 cannot hold exactly, a wrong row count, a text too wide for its row, an id
// given twice or missing) stops the build with the source line, so the tables are never
// silently different from their review.
//
//   make_text_tables unit_texts.txt state_texts.txt out.cpp

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct SourceError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string Where(const std::string& file, int line) {
  return file + ":" + std::to_string(line) + ": ";
}

// One iconv pass; throws on any character that does not convert.
std::string ConvertStrict(const char* to, const char* from, const std::string& text) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw SourceError("iconv cannot open the conversion");
  std::string out(text.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1) || inLeft != 0) {
    throw SourceError("text does not convert: \"" + text + "\"");
  }
  out.resize(out.size() - outLeft);
  return out;
}

// UTF-8 to code page 949, refusing characters whose bytes would not read back as the same
// character (iconv maps some symbols one way only).
std::string ToCp949(const std::string& utf8) {
  std::string cp = ConvertStrict("CP949", "UTF-8", utf8);
  if (ConvertStrict("UTF-8", "CP949", cp) != utf8) {
    throw SourceError("text does not read back the same from code page 949 (write its bytes as \\xHH): \"" +
                      utf8 + "\"");
  }
  return cp;
}

// Reads one quoted text at `pos` and returns its code page 949 bytes.
std::string ReadQuoted(const std::string& line, std::size_t& pos) {
  if (pos >= line.size() || line[pos] != '"') throw SourceError("expected a quoted text");
  ++pos;
  std::string result;
  std::string pending;  // UTF-8 waiting for conversion
  auto flush = [&] {
    if (!pending.empty()) result += ToCp949(pending);
    pending.clear();
  };
  while (true) {
    if (pos >= line.size()) throw SourceError("unterminated text");
    char c = line[pos++];
    if (c == '"') break;
    if (c != '\\') {
      pending += c;
      continue;
    }
    if (pos >= line.size()) throw SourceError("unterminated escape");
    char e = line[pos++];
    if (e == 't') {
      pending += '\t';
    } else if (e == '"' || e == '\\') {
      pending += e;
    } else if (e == 'x' && pos + 2 <= line.size()) {
      flush();
      result += static_cast<char>(std::stoi(line.substr(pos, 2), nullptr, 16));
      pos += 2;
    } else {
      throw SourceError(std::string("unknown escape \\") + e);
    }
  }
  flush();
  return result;
}

void SkipBlanks(const std::string& line, std::size_t& pos) {
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t' || line[pos] == '\r')) ++pos;
}

bool IsCommentOrEmpty(const std::string& line) {
  std::size_t pos = 0;
  SkipBlanks(line, pos);
  return pos == line.size() || line[pos] == '#';
}

// ---- unit texts ----

std::vector<std::string> ReadUnits(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw SourceError("cannot open " + path);
  std::vector<std::string> rows;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (IsCommentOrEmpty(line)) continue;
    try {
      std::size_t pos = 0;
      std::size_t used = 0;
      int index = std::stoi(line, &used);
      pos = used;
      if (index != static_cast<int>(rows.size())) throw SourceError("unit rows must run 0, 1, 2, ...");
      SkipBlanks(line, pos);
      std::string text = ReadQuoted(line, pos);
      if (text.size() > 10) throw SourceError("unit text longer than 10 bytes");
      rows.push_back(text);
    } catch (const std::exception& e) {
      throw SourceError(Where(path, number) + e.what());
    }
  }
  if (rows.size() != 55) throw SourceError(path + ": expected 55 unit rows");
  return rows;
}

// ---- state-text tables ----

struct TextTable {
  std::vector<int> ids;
  int width = 0;
  std::vector<std::string> texts;  // without the closing empty row
};

struct NumberTable {
  int id = 0;
  bool real = false;
  std::string format;
  std::vector<double> values;  // 256
};

struct Tables {
  std::vector<TextTable> texts;
  std::vector<NumberTable> numbers;
  std::map<int, int> aliases;  // alias id -> id
};

bool IsAssignedId(int id) {
  return (id >= 1 && id <= 211) || (id >= 301 && id <= 571) || (id >= 600 && id <= 605);
}

int RowWidthOf(int id) {
  if (id == 200) return 20;
  return id < 300 ? 15 : 17;
}

std::size_t MaxTextOf(int width) {
  return width == 15 ? 10 : width == 17 ? 13 : 17;
}

int DecimalsOf(const std::string& format) {
  std::size_t dot = format.find('.');
  if (dot == std::string::npos) return 0;
  return format[dot + 1] - '0';
}

NumberTable ParseNumberTable(const std::string& line) {
  std::istringstream words(line);
  NumberTable table;
  std::string kind;
  words >> kind >> table.id;
  table.real = kind == "real";
  std::size_t pos = line.find('"');
  std::size_t end = line.find('"', pos + 1);
  std::size_t colon = line.find(':', end);
  if (pos == std::string::npos || end == std::string::npos || colon == std::string::npos) {
    throw SourceError("expected: kind id \"format\": rows value, ...");
  }
  table.format = line.substr(pos + 1, end - pos - 1);
  std::vector<std::optional<double>> rows(256);
  std::istringstream points(line.substr(colon + 1));
  std::string point;
  while (std::getline(points, point, ',')) {
    std::istringstream one(point);
    std::string range;
    double value = 0;
    if (!(one >> range >> value)) throw SourceError("bad point \"" + point + "\"");
    std::size_t dash = range.find('-');
    int first = std::stoi(range.substr(0, dash));
    int last = dash == std::string::npos ? first : std::stoi(range.substr(dash + 1));
    if (first < 0 || last > 255 || first > last) throw SourceError("bad row range " + range);
    for (int row = first; row <= last; ++row) {
      if (rows[row] && *rows[row] != value) throw SourceError("row " + std::to_string(row) + " given twice");
      rows[row] = value;
    }
  }
  if (!rows[0] || !rows[255]) throw SourceError("rows 0 and 255 must be given");
  double scale = std::pow(10.0, DecimalsOf(table.format));
  int known = 0;
  for (int row = 1; row < 256; ++row) {
    if (!rows[row]) continue;
    for (int between = known + 1; between < row; ++between) {
      double t = static_cast<double>(between - known) / (row - known);
      double v = *rows[known] + (*rows[row] - *rows[known]) * t;
      rows[between] = std::round(v * scale) / scale;
    }
    known = row;
  }
  for (const auto& row : rows) table.values.push_back(*row);
  return table;
}

Tables ReadStateTables(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw SourceError("cannot open " + path);
  Tables tables;
  std::set<int> seen;
  auto claim = [&](int id) {
    if (!IsAssignedId(id)) throw SourceError("id " + std::to_string(id) + " is not an assigned table id");
    if (!seen.insert(id).second) throw SourceError("id " + std::to_string(id) + " given twice");
  };
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (IsCommentOrEmpty(line)) continue;
    try {
      if (line.rfind("real ", 0) == 0 || line.rfind("integer ", 0) == 0) {
        NumberTable table = ParseNumberTable(line);
        claim(table.id);
        tables.numbers.push_back(std::move(table));
        continue;
      }
      std::size_t eq = line.find(" = ");
      if (eq != std::string::npos && line.find('"') == std::string::npos) {
        int alias = std::stoi(line.substr(0, eq));
        int target = std::stoi(line.substr(eq + 3));
        claim(alias);
        tables.aliases[alias] = target;
        continue;
      }
      std::size_t open = line.find('(');
      std::size_t colon = line.find("):");
      if (open == std::string::npos || colon == std::string::npos) throw SourceError("unreadable line");
      TextTable table;
      std::istringstream ids(line.substr(0, open));
      std::string id;
      while (std::getline(ids, id, ',')) table.ids.push_back(std::stoi(id));
      int rowCount = 0;
      if (std::sscanf(line.c_str() + open, "(%d, %d)", &table.width, &rowCount) != 2) {
        throw SourceError("expected (width, rows)");
      }
      std::size_t pos = colon + 2;
      while (true) {
        SkipBlanks(line, pos);
        if (pos >= line.size()) break;
        table.texts.push_back(ReadQuoted(line, pos));
      }
      if (static_cast<int>(table.texts.size()) + 1 != rowCount) {
        throw SourceError("row count " + std::to_string(rowCount) + " but " +
                          std::to_string(table.texts.size()) + " texts and the closing row");
      }
      for (int tableId : table.ids) {
        claim(tableId);
        if (RowWidthOf(tableId) != table.width) throw SourceError("wrong row width for this id");
      }
      for (const auto& text : table.texts) {
        if (text.size() > MaxTextOf(table.width)) throw SourceError("text too wide for its row");
        if (text.find('\0') != std::string::npos) throw SourceError("text holds a zero byte");
      }
      tables.texts.push_back(std::move(table));
    } catch (const std::exception& e) {
      throw SourceError(Where(path, number) + e.what());
    }
  }
  for (int id = 0; id < 606; ++id) {
    if (IsAssignedId(id) && !seen.count(id)) throw SourceError(path + ": table id " + std::to_string(id) + " missing");
  }
  for (const auto& [alias, target] : tables.aliases) {
    if (!seen.count(target) || tables.aliases.count(target)) {
      throw SourceError(path + ": alias " + std::to_string(alias) + " names no table");
    }
  }
  return tables;
}

// ---- output ----

// A C++ string literal holding exactly these bytes (octal escapes never run into the next byte).
std::string Literal(std::string_view bytes) {
  std::string out = "\"";
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    }
  }
  return out + "\"";
}

void Write(const std::string& path, const std::vector<std::string>& units, const Tables& tables) {
  std::ostringstream out;
  out << "// Generated at build time from data/unit_texts.txt and data/state_texts.txt. Do not edit.\n"
      << "#include \"controls/scandata/text/text_tables.h\"\n\nnamespace quarnel {\nnamespace {\n\n";
  std::map<int, std::string> entries;
  int serial = 0;
  for (const auto& table : tables.texts) {
    for (int id : table.ids) {
      std::string name = "kText" + std::to_string(id);
      std::string rows;
      for (const auto& text : table.texts) {
        rows += text;
        rows.append(table.width - text.size(), '\0');
      }
      rows.append(table.width, '\0');  // the closing empty row
      out << "constexpr char " << name << "[] = " << Literal(rows) << ";\n";
      entries[id] = "{StateTableKind::kText, " + std::to_string(table.width) + ", " +
                    std::to_string(table.texts.size() + 1) + ", " + name + ", nullptr, nullptr, \"%s\"}";
      ++serial;
    }
  }
  out << "\n";
  for (const auto& table : tables.numbers) {
    std::string name = (table.real ? "kReal" : "kInteger") + std::to_string(table.id);
    out << (table.real ? "constexpr double " : "constexpr std::int32_t ") << name << "[256] = {";
    int decimals = DecimalsOf(table.format);
    for (std::size_t row = 0; row < table.values.size(); ++row) {
      char buf[48];
      std::snprintf(buf, sizeof buf, "%.*f", table.real ? decimals : 0, table.values[row]);
      out << (row % 16 == 0 ? "\n    " : " ") << buf << ",";
    }
    out << "\n};\n";
    entries[table.id] = std::string("{StateTableKind::") + (table.real ? "kReal" : "kInteger") +
                        ", 0, 256, nullptr, " + (table.real ? name : "nullptr") + ", " +
                        (table.real ? "nullptr" : name) + ", " + Literal(table.format) + "}";
  }
  for (const auto& [alias, target] : tables.aliases) entries[alias] = entries.at(target);

  out << "\n}  // namespace\n\nconst StateTable kStateTables[kStateTableIdEnd] = {\n";
  for (int id = 0; id < 606; ++id) {
    auto it = entries.find(id);
    out << "    " << (it == entries.end() ? "{}" : it->second) << ",  // " << id << "\n";
  }
  out << "};\n\nconst char kUnitRows[kUnitRowCount][kUnitRowWidth + 1] = {\n";
  for (const auto& text : units) {
    std::string row = text;
    if (!row.empty()) row.append(10 - row.size(), ' ');
    out << "    " << Literal(row) << ",\n";
  }
  out << "};\n\n}  // namespace quarnel\n";

  std::string temp = path + ".tmp";
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file) throw SourceError("cannot write " + temp);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) throw SourceError("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: make_text_tables unit_texts.txt state_texts.txt out.cpp\n";
    return 2;
  }
  try {
    std::vector<std::string> units = ReadUnits(argv[1]);
    Tables tables = ReadStateTables(argv[2]);
    Write(argv[3], units, tables);
  } catch (const std::exception& e) {
    std::cerr << "make_text_tables: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
