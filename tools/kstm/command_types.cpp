// kstm types: the type table as the manager reports it.
#include <cstdio>
#include <string>

#include "commands.h"
#include "session.h"
#include "type_values.h"

namespace kstm {
namespace {

constexpr unsigned short kCapabilityIncrement = 2;
constexpr unsigned short kCapabilityTimeStamp = 3;

struct TypeRow {
  int id;
  std::string name;
  std::string typeIdName;
  std::string format;
  unsigned memorySize;
  bool fixed;
  bool nullValues;
  bool increment;
  bool timeStamp;
};

TypeRow ReadRow(KsTypeMgr& mgr, int id) {
  const char type = static_cast<char>(id);
  const char* format = mgr.ExchangeFormat(type, nullptr);
  return {id,
          mgr.NameGet(type),
          mgr.TypeIdNameGet(type),
          format != nullptr ? format : "",
          mgr.MemLenGet(type, 1),
          mgr.IsFixed(type) != 0,
          mgr.SupportsNullValue(type) != 0,
          mgr.SupportsCapability(type, kCapabilityIncrement) != 0,
          mgr.SupportsCapability(type, kCapabilityTimeStamp) != 0};
}

std::string Capabilities(const TypeRow& row) {
  std::string text;
  if (row.increment) text = "increment";
  if (row.timeStamp) text += text.empty() ? "timestamp" : ",timestamp";
  return text.empty() ? "-" : text;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
      continue;
    }
    out += c;
  }
  return out + "\"";
}

void PrintTable(const std::vector<TypeRow>& rows) {
  std::printf("%-3s %-16s %-18s %-4s %-8s %-4s %-19s %s\n", "id", "name", "type-id name", "size", "length",
              "null", "capabilities", "default format");
  for (const TypeRow& row : rows) {
    std::printf("%-3d %-16s %-18s %-4u %-8s %-4s %-19s \"%s\"\n", row.id, row.name.c_str(),
                row.typeIdName.c_str(), row.memorySize, row.fixed ? "fixed" : "variable",
                row.nullValues ? "yes" : "no", Capabilities(row).c_str(), row.format.c_str());
  }
}

void PrintJson(const std::vector<TypeRow>& rows) {
  std::printf("[\n");
  for (size_t i = 0; i < rows.size(); ++i) {
    const TypeRow& row = rows[i];
    std::printf(
        "  {\"id\": %d, \"name\": %s, \"typeIdName\": %s, \"format\": %s, \"memorySize\": %u, \"fixed\": %s, "
        "\"nullValues\": %s, \"capabilities\": [%s%s%s]}%s\n",
        row.id, JsonString(row.name).c_str(), JsonString(row.typeIdName).c_str(),
        JsonString(row.format).c_str(), row.memorySize, row.fixed ? "true" : "false",
        row.nullValues ? "true" : "false", row.increment ? "\"increment\"" : "",
        row.increment && row.timeStamp ? ", " : "", row.timeStamp ? "\"timestamp\"" : "",
        i + 1 < rows.size() ? "," : "");
  }
  std::printf("]\n");
}

}  // namespace

int RunTypes(int argc, char** argv) {
  const Arguments args("types", argc, argv, {{"--json", false}, {"--legacy", false}});
  if (!args.Positional().empty()) throw BadInput("unexpected argument '" + args.Positional()[0] + "'");
  Session session(args);
  std::vector<TypeRow> rows;
  for (int id = 0; id < TableSize(session.Mgr()); ++id) rows.push_back(ReadRow(session.Mgr(), id));
  if (args.Has("--json")) {
    PrintJson(rows);
  } else {
    PrintTable(rows);
  }
  return kExitOk;
}

}  // namespace kstm
