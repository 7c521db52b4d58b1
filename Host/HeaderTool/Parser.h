// Builds a HeaderModel from the tokens of one header.
#pragma once

#include "Lexer.h"
#include "Model.h"

namespace zht
{

// Model.ArgPath/Module/RelPath must be set; fills in the declarations. Throws ToolError.
void ParseHeader(const LexedFile& File, HeaderModel& Model);

} // namespace zht
