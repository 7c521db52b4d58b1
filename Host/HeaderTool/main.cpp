// ZNHeaderTool: reads the reflected headers of the project and writes X.generated.h / X.gen.cpp.
//   ZNHeaderTool --root <project root> --out <dir> <Module>=<header> [...]   (or @responsefile)
#include "Emitter.h"
#include "Lexer.h"
#include "Parser.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;
using namespace zht;

namespace
{

struct UsageError : std::runtime_error
{
	using std::runtime_error::runtime_error;
};

std::string TrimLine(std::string S)
{
	while (!S.empty() && std::isspace(static_cast<unsigned char>(S.back())))
		S.pop_back();
	size_t B = 0;
	while (B < S.size() && std::isspace(static_cast<unsigned char>(S[B])))
		++B;
	S = S.substr(B);
	if (S.size() >= 2 && S.front() == '"' && S.back() == '"')
		S = S.substr(1, S.size() - 2);
	return S;
}

void ExpandArgs(const std::string& Arg, std::vector<std::string>& Out, int Depth)
{
	if (Arg.size() > 1 && Arg[0] == '@')
	{
		if (Depth > 4)
			throw UsageError("response files nested too deeply: " + Arg);
		std::ifstream In(Arg.substr(1), std::ios::binary);
		if (!In)
			throw UsageError("cannot read response file " + Arg.substr(1));
		std::string Line;
		while (std::getline(In, Line))
		{
			Line = TrimLine(Line);
			if (!Line.empty())
				ExpandArgs(Line, Out, Depth + 1);
		}
		return;
	}
	Out.push_back(Arg);
}

bool ReadFile(const std::string& Path, std::string& Out)
{
	std::ifstream In(Path, std::ios::binary);
	if (!In)
		return false;
	std::ostringstream S;
	S << In.rdbuf();
	Out = S.str();
	return true;
}

// Keeps timestamps of unchanged outputs so dependent objects are not rebuilt.
void WriteIfChanged(const fs::path& Path, const std::string& Content)
{
	std::string Old;
	if (ReadFile(Path.string(), Old) && Old == Content)
		return;
	std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
	Out << Content;
	if (!Out)
		throw UsageError("cannot write " + Path.string());
}

std::string FidOf(const std::string& RelPath)
{
	std::string S = RelPath;
	size_t Slash = S.find_last_of('/');
	size_t Dot = S.find_last_of('.');
	if (Dot != std::string::npos && (Slash == std::string::npos || Dot > Slash))
		S.resize(Dot);
	for (char& C : S)
		if (!std::isalnum(static_cast<unsigned char>(C)))
			C = '_';
	return S;
}

// The generated header must be included, be the last #include, and come before any reflected declaration.
void CheckGeneratedInclude(const LexedFile& F, const HeaderModel& H)
{
	const std::string Expected = H.Stem + ".generated.h";
	const IncludeDirective* Gen = nullptr;
	for (const IncludeDirective& Inc : F.Includes)
	{
		const std::string Name = Inc.Target.substr(Inc.Target.find_last_of('/') == std::string::npos ? 0 : Inc.Target.find_last_of('/') + 1);
		bool IsGenerated = Name.size() > 12 && Name.compare(Name.size() - 12, 12, ".generated.h") == 0;
		if (Gen)
			throw ToolError(F.Path, Inc.Line, "#include \"" + Expected + "\" must be the last #include (found \"" + Inc.Target + "\" after it)");
		if (IsGenerated)
		{
			if (Inc.Target != Expected)
				throw ToolError(F.Path, Inc.Line, "includes \"" + Inc.Target + "\"; this header's generated header is \"" + Expected + "\"");
			Gen = &Inc;
		}
	}
	if (!H.HasUMacros)
		return;
	if (!Gen)
		throw ToolError(F.Path, H.FirstUMacroLine, "missing #include \"" + Expected + "\" (it must be the last #include)");
	if (Gen->Line > H.FirstUMacroLine)
		throw ToolError(F.Path, Gen->Line, "#include \"" + Expected + "\" must come before the first reflected declaration (line "
			+ std::to_string(H.FirstUMacroLine) + ")");
}

int Run(int Argc, char** Argv)
{
	std::vector<std::string> Args;
	for (int K = 1; K < Argc; ++K)
		ExpandArgs(Argv[K], Args, 0);

	std::string Root, OutDir;
	std::vector<std::pair<std::string, std::string>> Inputs; // module, header
	for (size_t K = 0; K < Args.size(); ++K)
	{
		const std::string& A = Args[K];
		if (A == "--root" || A == "--out")
		{
			if (K + 1 >= Args.size())
				throw UsageError(A + " needs a value");
			(A == "--root" ? Root : OutDir) = Args[++K];
		}
		else if (A.rfind("--", 0) == 0)
			throw UsageError("unknown option " + A);
		else
		{
			size_t Eq = A.find('=');
			if (Eq == std::string::npos || Eq == 0 || Eq + 1 == A.size())
				throw UsageError("expected <ModuleName>=<header path>, got '" + A + "'");
			Inputs.emplace_back(A.substr(0, Eq), A.substr(Eq + 1));
		}
	}
	if (Root.empty() || OutDir.empty() || Inputs.empty())
		throw UsageError("usage: ZNHeaderTool --root <project root> --out <dir> <ModuleName>=<header> [...] (or @file)");

	const fs::path AbsRoot = fs::absolute(Root).lexically_normal();
	std::vector<std::unique_ptr<HeaderModel>> Models;
	std::vector<LexedFile> Files;
	std::map<std::string, std::string> Stems; // generated file name -> header
	for (const auto& [Module, Path] : Inputs)
	{
		std::string Source;
		if (!ReadFile(Path, Source))
			throw ToolError(Path, 1, "cannot read header");
		auto H = std::make_unique<HeaderModel>();
		H->ArgPath = Path;
		H->Module = Module;
		fs::path Abs = fs::absolute(Path).lexically_normal();
		H->AbsPath = Abs.generic_string();
		fs::path Rel = Abs.lexically_relative(AbsRoot);
		H->RelPath = (Rel.empty() || *Rel.begin() == "..") ? H->AbsPath : Rel.generic_string();
		H->Fid = FidOf(H->RelPath);
		H->Stem = Abs.stem().string();
		LexedFile F = Lex(Path, std::move(Source));
		ParseHeader(F, *H);
		CheckGeneratedInclude(F, *H);
		bool IncludesGenerated = false;
		for (const IncludeDirective& Inc : F.Includes)
			IncludesGenerated = IncludesGenerated || Inc.Target == H->Stem + ".generated.h";
		if (H->HasUMacros || IncludesGenerated)
		{
			auto [It, Fresh] = Stems.emplace(H->Stem, Path);
			if (!Fresh && It->second != Path)
				throw ToolError(Path, 1, H->Stem + ".generated.h would also be generated for " + It->second + "; header names must be unique");
			if (!Fresh)
				continue; // the same header listed twice
		}
		else
			H->Stem.clear(); // nothing to generate
		Models.push_back(std::move(H));
		Files.push_back(std::move(F));
	}

	TypeRegistry Registry;
	for (const auto& H : Models)
		Registry.Add(*H);

	std::vector<std::pair<fs::path, std::string>> Outputs;
	const fs::path Out = fs::path(OutDir);
	for (const auto& H : Models)
	{
		if (H->Stem.empty())
			continue;
		GeneratedFiles G = EmitHeader(*H, Registry);
		Outputs.emplace_back(Out / (H->Stem + ".generated.h"), std::move(G.Header));
		Outputs.emplace_back(Out / (H->Stem + ".gen.cpp"), std::move(G.Cpp));
	}
	std::error_code Ec;
	fs::create_directories(Out, Ec);
	if (Ec)
		throw UsageError("cannot create " + Out.string() + ": " + Ec.message());
	for (const auto& [Path, Content] : Outputs)
		WriteIfChanged(Path, Content);
	return 0;
}

} // namespace

int main(int Argc, char** Argv)
{
	try
	{
		return Run(Argc, Argv);
	}
	catch (const ToolError& E)
	{
		std::cerr << E.File << ":" << E.Line << ": error: " << E.what() << "\n";
	}
	catch (const UsageError& E)
	{
		std::cerr << "ZNHeaderTool: error: " << E.what() << "\n";
	}
	catch (const std::exception& E)
	{
		std::cerr << "ZNHeaderTool: internal error: " << E.what() << "\n";
	}
	return 1;
}
