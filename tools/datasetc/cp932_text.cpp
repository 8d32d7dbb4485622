// UTF-8 to code page 932 through the C library's iconv, the same conversion the compilers use for the
// program's own Japanese literals (-fexec-charset=CP932), so comments and literals agree byte for byte.
#include "cp932_text.h"
#include <cerrno>
#include <iconv.h>
#include <vector>

int utf8_to_cp932(const std::string &utf8, std::string *out)
{
    out->clear();
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return 0;
    std::vector<char> input(utf8.begin(), utf8.end());
    std::vector<char> output(utf8.size() * 2 + 8);
    char *in_at = input.data();
    size_t in_left = input.size();
    char *out_at = output.data();
    size_t out_left = output.size();
    size_t done = iconv(converter, &in_at, &in_left, &out_at, &out_left);
    iconv_close(converter);
    // An irreversible conversion (a replacement character) counts as a failure too.
    if (done == static_cast<size_t>(-1) || done != 0 || in_left != 0) return 0;
    out->assign(output.data(), output.size() - out_left);
    return 1;
}
