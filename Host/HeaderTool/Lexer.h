// Tokenizer for Unreal-style C++ headers: skips comments (keeping doc comments for the next token),
// follows the preprocessor just enough to know which lines are live and which are editor-only.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace zht
{

// Any failure the tool reports: printed as "<file>:<line>: error: <message>".
struct ToolError : std::runtime_error
{
	std::string File;
	int Line;
	ToolError(std::string InFile, int InLine, const std::string& Message)
		: std::runtime_error(Message), File(std::move(InFile)), Line(InLine)
	{
	}
};

enum class TokKind
{
	Ident,
	Number,
	String,
	Char,
	Punct,
	End
};

struct Token
{
	TokKind Kind = TokKind::End;
	std::string Text;  // spelling as in the source
	std::string Value; // decoded contents of a string literal
	int Line = 0;
	size_t Begin = 0; // byte range in the source, for raw metadata values
	size_t End = 0;
	bool HasDoc = false;
	std::string Doc;             // cleaned comment directly above this token
	bool EditorOnlyData = false; // inside #if WITH_EDITORONLY_DATA
	bool WithEditor = false;     // inside #if WITH_EDITOR

	bool Is(const char* S) const { return (Kind == TokKind::Ident || Kind == TokKind::Punct || Kind == TokKind::Number) && Text == S; }
};

struct IncludeDirective
{
	std::string Target;
	int Line = 0;
};

struct LexedFile
{
	std::string Path; // as given on the command line, used in diagnostics
	std::string Source;
	std::vector<Token> Tokens; // always ends with an End token
	std::vector<IncludeDirective> Includes;
};

LexedFile Lex(const std::string& Path, std::string Source);

// Turns a raw comment (/** */, /* */ or a run of // lines) into ToolTip text.
std::string CleanDocComment(const std::string& Raw);

} // namespace zht
