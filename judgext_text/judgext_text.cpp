// judgext_text: the text judge (identity 40003). Tells the program which kind of text a file holds, for
// the kinds that have no magic number: program sources, data texts, XML dialects, catalogs and the like.
#include "text_kinds.h"
#include "judge_shell.h"

namespace {

const uint16_t TEXT_JUDGE_ID = 40003;

}  // namespace

// A header meant for another library is declined without a message: this library has no window to show one.
const judge_identity JUDGE_IDENTITY = {TEXT_JUDGE_ID, "Text Judge for KRVFB", "Quodra", 1.0f, "", 1, 0,
                                      FILE_ATTRIBUTE_NORMAL, 1};

uint32_t judge_opened_target(HANDLE file)
{
    return judge_text_kind(file);
}
