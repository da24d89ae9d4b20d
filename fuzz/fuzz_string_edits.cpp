// A sequence of KsString edits checked after every step against a
// std::string that models them: appends, inserts, cuts, overwrites, copies,
// expansions and fills on 8-bit text, with positions and counts anywhere
// (beyond the end too). The model keeps the text under the size limit, so
// every step has one defined outcome.
//
// Input: a list of operations, each an opcode byte, two position bytes and
// a length byte followed by that many text bytes (zero bytes become 'z').
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ksstring.h"

namespace {

constexpr size_t kModelLimit = 60000;

void Check(const KsString& s, const std::string& model) {
  if (s.Len() != model.size() || std::string(s.StrGet()) != model) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  KsString s(static_cast<unsigned char>(1), static_cast<unsigned char>(0));
  std::string model;
  size_t at = 0;
  while (at + 4 <= size) {
    const uint8_t op = data[at];
    // Positions reach past the end of the text now and then.
    const auto pos = static_cast<unsigned short>(data[at + 1] | (data[at + 2] & 0x0F) << 8);
    const size_t n = data[at + 3];
    at += 4;
    std::string piece(reinterpret_cast<const char*>(data + at), std::min(n, size - at));
    at += piece.size();
    for (char& c : piece) {
      if (c == 0) c = 'z';
    }
    const KsString text(piece.c_str());
    const char ch = piece.empty() ? 'x' : piece[0];
    switch (op % 9) {
      case 0:
        if (model.size() + piece.size() >= kModelLimit) break;
        s << piece.c_str();
        model += piece;
        break;
      case 1:
        if (model.size() + piece.size() >= kModelLimit) break;
        s.Insert(text, pos);
        if (pos <= model.size()) model.insert(pos, piece);
        break;
      case 2: {
        // A length byte of 255 stands for "to the end".
        const unsigned short count = n == 255 ? 65535 : static_cast<unsigned short>(n);
        s.Cut(pos, count);
        if (pos < model.size()) model.erase(pos, count == 65535 ? std::string::npos : count);
        break;
      }
      case 3:
        s.Replace(text, pos);
        if (pos < model.size())
          model.replace(pos, std::min(piece.size(), model.size() - pos), piece, 0,
                        std::min(piece.size(), model.size() - pos));
        break;
      case 4: {
        const KsString copy = s.Copy(pos, static_cast<unsigned short>(n));
        Check(copy, pos < model.size() ? model.substr(pos, n) : std::string());
        break;
      }
      case 5:
        Check(s.Left(pos), model.substr(0, pos));
        Check(s.Right(pos), pos >= model.size() ? model : model.substr(model.size() - pos));
        break;
      case 6:
        if (pos >= kModelLimit) break;
        s.Expand(pos, ch);
        if (model.size() < pos) model.append(pos - model.size(), ch);
        break;
      case 7:
        s.Fill(static_cast<unsigned short>(n), ch);
        model.assign(n, ch);
        break;
      default: {
        KsString copy(s);
        copy += text;
        if (model.size() + piece.size() < kModelLimit) Check(copy, model + piece);
        s = copy.Left(static_cast<unsigned short>(model.size()));
        break;
      }
    }
    Check(s, model);
  }
  return 0;
}
