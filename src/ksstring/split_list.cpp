// KsSplitList: one element of a separated list per call.
#include "ksstring.h"

namespace {

constexpr int kEndOfList = -2005;

}  // namespace

int KsSplitList(KsString& list, KsString& element, const KsString& separator, unsigned short& pos) {
  int found = list.Find(separator, pos, KsString::kDefaultCmpOp);
  // A separator right at the start of the list opens no element.
  if (found == 0) {
    ++pos;
    found = list.Find(separator, pos, KsString::kDefaultCmpOp);
  }
  unsigned short end = 0;
  if (found < 0) {
    if (pos >= list.Len()) return kEndOfList;
    end = list.Len();
  } else {
    end = static_cast<unsigned short>(found);
  }
  element = list.Copy(pos, static_cast<unsigned short>(end - pos));
  element.LeftTrim();
  element.RightTrim();
  pos = static_cast<unsigned short>(end + 1);
  return 0;
}
