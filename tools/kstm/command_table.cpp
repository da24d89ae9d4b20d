#include "commands.h"

namespace kstm {

const Command kCommands[] = {
    {"types", "print the type table",
     "usage: kstm types [--json] [--legacy]\n"
     "Prints the type table: id, name, type-id name, memory size, fixed or variable\n"
     "length, null support, capabilities (increment: generated successor values;\n"
     "timestamp: time-stamp values) and the default format.\n"
     "  --json     one JSON array of objects instead of the table\n"
     "  --legacy   the legacy table of 28 types (old stored string form)\n",
     RunTypes},
    {"store", "scan texts into values and print their stored forms",
     "usage: kstm store TYPE TEXT... [--order le|be] [--format FMT] [--legacy]\n"
     "Scans each TEXT into a value of TYPE (name, type-id name or id) and prints\n"
     "its stored record as hexadecimal bytes, one record per line.\n"
     "  --order    byte order of the stored form: le (default) or be\n"
     "  --format   scan format (default: the type's format)\n",
     RunStore},
    {"load", "decode stored records and print the values",
     "usage: kstm load TYPE [HEX...] [--order le|be] [--format FMT] [--legacy]\n"
     "Decodes stored records, given as hexadecimal bytes (blanks between bytes\n"
     "optional, as `kstm store` prints them) in the arguments or on standard\n"
     "input, and prints each value on a line. Every record's length is checked\n"
     "against the bytes given before it is loaded; a malformed or truncated\n"
     "record is reported with its byte offset (exit status 2).\n"
     "  --format   print format (default: the type's format)\n",
     RunLoad},
    {"cmp", "compare two values",
     "usage: kstm cmp TYPE A B [--cmpop HEX] [--lang ID] [--order le|be] [--format FMT] [--legacy]\n"
     "Scans A and B and prints the comparison result (less, equal or greater, with\n"
     "the raw number) and the status of the type's Compare slot.\n"
     "  --cmpop    comparison operator flags in hexadecimal (default: the library's)\n"
     "  --lang     language id (0 to 253) of strings built from the texts\n"
     "  --order    compare the stored records in that byte order instead of the\n"
     "             values in memory\n",
     RunCmp},
    {"hash", "hash values",
     "usage: kstm hash TYPE TEXT... [--order le|be] [--format FMT] [--legacy]\n"
     "Prints the hash of each scanned TEXT in decimal and hexadecimal, and the\n"
     "status of the type's Hash slot.\n"
     "  --order    hash the stored record in that byte order\n",
     RunHash},
    {"sort", "sort lines by a type's comparison",
     "usage: kstm sort TYPE [--cmpop HEX] [--lang ID] [--reverse] [--unique] [--format FMT] [--legacy]\n"
     "Sorts the lines of standard input (UTF-8) as an index orders values of TYPE\n"
     "(strings by collation, dates as dates, numbers as numbers) and writes the\n"
     "lines unchanged. Equal lines keep their input order. Without --cmpop the\n"
     "library's default operator is used with wildcards off, since a pattern is\n"
     "not an order. An invalid UTF-8 line is reported with its line number (exit\n"
     "status 2); so is empty input. Progress goes to standard error when it is a\n"
     "terminal.\n"
     "  --reverse  descending order\n"
     "  --unique   keep the first of each run of equal lines\n",
     RunSort},
    {"eval", "index selectivity estimate and scan bounds",
     "usage: kstm eval TYPE --op OP KEY [--low X --high Y] [--no-wildcards] [--order le|be] [--legacy]\n"
     "Evaluates the restriction `value OP KEY` against an index whose keys run from\n"
     "X to Y, as EvalAndBound does: prints the estimated share of the index, the\n"
     "flags afterwards and the scan bounds recorded (hexadecimal and as values).\n"
     "  --op       eq, ne, lt, le, gt or ge\n"
     "  --low, --high  the index's current bounds (both or neither)\n"
     "  --no-wildcards  pattern characters in the key are literal\n",
     RunEval},
    {"demo", "one string attribute through storage, index and query",
     "usage: kstm demo\n"
     "Walks a built-in set of names with accents and mixed case through the whole\n"
     "path of a string attribute: build the strings, store them, order them as an\n"
     "index would, restrict them by a comparison and by a wildcard literal, show\n"
     "the estimate and the scan bounds, scan between the bounds testing each key,\n"
     "load and print the hits. A step whose slots this build of the library lacks\n"
     "is reported and skipped (exit status 3 at the end).\n",
     RunDemo},
};
const int kCommandCount = static_cast<int>(sizeof(kCommands) / sizeof(kCommands[0]));

}  // namespace kstm
