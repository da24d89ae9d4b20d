// kstm store and kstm load: values to stored records and back.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "commands.h"
#include "hex.h"
#include "session.h"
#include "type_values.h"

namespace kstm {
namespace {

const std::initializer_list<OptionSpec> kStorageOptions = {
    {"--order", true}, {"--format", true}, {"--legacy", false}};

std::string ReadAll(std::istream& in) {
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int RunStore(int argc, char** argv) {
  const Arguments args("store", argc, argv, kStorageOptions);
  if (args.Positional().size() < 2)
    throw BadInput("needs a type and at least one text (see kstm store --help)");
  Session session(args);
  const TypeHandle type = TypeHandle::Resolve(session.Mgr(), args.Positional()[0]);
  const unsigned char order = ParseOrder(args.Value("--order"));
  std::optional<std::string> formatText;
  const char* format = FormatOption(args, formatText);
  type.Require({Slot::Create, Slot::ScanFromString, Slot::Store});
  for (size_t i = 1; i < args.Positional().size(); ++i) {
    const std::vector<unsigned char> bytes =
        StoreText(type, args.Positional()[i], format, order, "text " + std::to_string(i));
    std::printf("%s\n", FormatHex(bytes.data(), bytes.size()).c_str());
  }
  return kExitOk;
}

int RunLoad(int argc, char** argv) {
  const Arguments args("load", argc, argv, kStorageOptions);
  if (args.Positional().empty()) throw BadInput("needs a type (see kstm load --help)");
  Session session(args);
  const TypeHandle type = TypeHandle::Resolve(session.Mgr(), args.Positional()[0]);
  const unsigned char order = ParseOrder(args.Value("--order"));
  std::optional<std::string> formatText;
  const char* format = FormatOption(args, formatText);
  type.Require({Slot::Create, Slot::Load, Slot::PrintToString});

  std::string hex;
  if (args.Positional().size() > 1) {
    for (size_t i = 1; i < args.Positional().size(); ++i) hex += args.Positional()[i] + " ";
  } else {
    hex = ReadAll(std::cin);
  }
  const std::vector<unsigned char> bytes = ParseHex(hex);
  LoadRecords(type, bytes, order,
              [&](size_t, void* value) { std::printf("%s\n", PrintValue(type, value, format).c_str()); });
  return kExitOk;
}

}  // namespace kstm
