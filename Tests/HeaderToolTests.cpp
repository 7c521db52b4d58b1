// Runs the built header tool on the fixture headers under Tests/HeaderToolFixtures: broken headers
// must be rejected at the right file and line, good ones must produce the code the runtime expects.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

const std::string ToolPath = ZN_HEADERTOOL_PATH;
const fs::path FixtureDir = fs::path(ZN_HEADERTOOL_FIXTURES).lexically_normal();

// Fixtures live in <root>/Tests/HeaderToolFixtures.
fs::path RepoRoot() { return (FixtureDir / ".." / "..").lexically_normal(); }

const std::vector<std::string> GoodHeaders = {"LM_FixtureTypes.h", "LM_FixtureComponent.h", "LM_FixtureEditorOnly.h"};

struct RunResult
{
	int Exit = -1;
	std::string Output;
};

std::string Quote(const std::string& S)
{
	std::string Out = "'";
	for (char C : S)
		Out += C == '\'' ? std::string("'\\''") : std::string(1, C);
	return Out + "'";
}

RunResult RunTool(const std::vector<std::string>& Args)
{
	std::string Cmd = Quote(ToolPath);
	for (const std::string& A : Args)
		Cmd += " " + Quote(A);
	Cmd += " 2>&1";
	RunResult R;
	FILE* Pipe = popen(Cmd.c_str(), "r");
	if (!Pipe)
		return R;
	char Buf[4096];
	size_t N;
	while ((N = fread(Buf, 1, sizeof(Buf), Pipe)) > 0)
		R.Output.append(Buf, N);
	int Status = pclose(Pipe);
	R.Exit = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
	return R;
}

std::string ReadAll(const fs::path& P)
{
	std::ifstream In(P, std::ios::binary);
	std::ostringstream S;
	S << In.rdbuf();
	return S.str();
}

fs::path FreshDir(const std::string& Name)
{
	fs::path P = fs::temp_directory_path() / ("zn_headertool_" + Name + "_" + std::to_string(getpid()));
	fs::remove_all(P);
	fs::create_directories(P);
	return P;
}

std::vector<std::string> GoodArgs(const fs::path& Out)
{
	std::vector<std::string> Args = {"--root", RepoRoot().string(), "--out", Out.string()};
	for (const std::string& H : GoodHeaders)
		Args.push_back("ZNLumarch=" + (FixtureDir / H).string());
	return Args;
}

std::string Stem(const std::string& Header) { return Header.substr(0, Header.rfind('.')); }

// ---- good fixtures ------------------------------------------------------------------------------

class HeaderToolGood : public ::testing::Test
{
protected:
	static fs::path Out;
	static RunResult Result;

	static void SetUpTestSuite()
	{
		Out = FreshDir("good");
		Result = RunTool(GoodArgs(Out));
	}
	static void TearDownTestSuite() { fs::remove_all(Out); }

	static std::string Generated(const std::string& File) { return ReadAll(Out / File); }
};
fs::path HeaderToolGood::Out;
RunResult HeaderToolGood::Result;

// The good fixtures cover every supported construct; any rejection is a parser gap.
TEST_F(HeaderToolGood, AcceptsAllGoodFixtures)
{
	EXPECT_EQ(Result.Exit, 0) << Result.Output;
	EXPECT_EQ(Result.Output, "") << "a successful run prints nothing";
	for (const std::string& H : GoodHeaders)
	{
		EXPECT_TRUE(fs::exists(Out / (Stem(H) + ".generated.h"))) << H;
		EXPECT_TRUE(fs::exists(Out / (Stem(H) + ".gen.cpp"))) << H;
	}
}

// GENERATED_BODY() expands to FID_<path>_h_<its line>_GENERATED_BODY, so every such line needs its define.
TEST_F(HeaderToolGood, DefinesABodyMacroForEveryGeneratedBodyLine)
{
	ASSERT_EQ(Result.Exit, 0) << Result.Output;
	for (const std::string& H : GoodHeaders)
	{
		std::string Fid = "FID_Tests_HeaderToolFixtures_" + Stem(H);
		std::string Gen = Generated(Stem(H) + ".generated.h");
		EXPECT_NE(Gen.find("#define CURRENT_FILE_ID " + Fid + "\n"), std::string::npos) << H;
		std::istringstream Src(ReadAll(FixtureDir / H));
		std::string Line;
		int Count = 0;
		for (int N = 1; std::getline(Src, Line); ++N)
			if (Line.find("GENERATED_BODY()") != std::string::npos)
			{
				++Count;
				EXPECT_NE(Gen.find("#define " + Fid + "_h_" + std::to_string(N) + "_GENERATED_BODY "), std::string::npos)
					<< H << ":" << N;
			}
		EXPECT_GT(Count, 0) << H;
		EXPECT_NE(Generated(Stem(H) + ".gen.cpp").find("#include \"" + (FixtureDir / H).string() + "\""), std::string::npos)
			<< "the .gen.cpp must include its header by absolute path";
	}
}

struct Snippet
{
	const char* File;
	const char* Text;
	bool Present;
	const char* Why;
};

class HeaderToolSnippet : public HeaderToolGood, public ::testing::WithParamInterface<Snippet>
{
};

// Each row is one rule of the reflection contract, checked on the generated text.
TEST_P(HeaderToolSnippet, FollowsContract)
{
	ASSERT_EQ(Result.Exit, 0) << Result.Output;
	const Snippet& S = GetParam();
	std::string Text = Generated(S.File);
	EXPECT_EQ(Text.find(S.Text) != std::string::npos, S.Present) << S.Why << "\n  looked for: " << S.Text;
}

const Snippet Snippets[] = {
	{"LM_FixtureTypes.gen.cpp", "&Z_Construct_UScriptStruct_FLM_FixtureOverrides_Statics::Set_bOverride_Intensity, sizeof(uint8))", true,
		"one-bit uint8 fields go through accessors"},
	{"LM_FixtureTypes.gen.cpp", "::Set_bOverride_Color, sizeof(uint32))", true, "the accessor carries the storage size"},
	{"LM_FixtureTypes.gen.cpp", "TEXT(\"Light intensity in lux.\\nClamped to non-negative values.\")", true,
		"doc comment lines are trimmed, stars stripped and joined with \\n"},
	{"LM_FixtureTypes.gen.cpp", "TEXT(\"EditCondition\"), TEXT(\"bOverride_Color && Intensity > 0, really\")", true,
		"quoted meta values keep commas"},
	{"LM_FixtureTypes.gen.cpp", "TEXT(\"UIMax\"), TEXT(\"150000\")", true, "unquoted meta values are kept as written"},
	{"LM_FixtureTypes.gen.cpp", "TEXT(\"DisplayName\"), TEXT(\"B|flag \\\"quoted\\\"\"), 1)", true, "UMETA escapes survive"},
	{"LM_FixtureTypes.gen.cpp", "TEXT(\"ToolTip\"), TEXT(\"Explicit tooltip wins\"), 1)", true, "explicit ToolTip beats the doc comment"},
	{"LM_FixtureTypes.gen.cpp", "TEXT(\"Sun above the horizon.\\nSecond line of the tooltip.\"), 2)", true, "a run of // lines is one tooltip"},
	{"LM_FixtureTypes.gen.cpp", "Copyright", false, "a comment above #pragma/#include documents nothing"},
	{"LM_FixtureTypes.gen.cpp", "{ TEXT(\"RegA\"), (int64)", true, "regular enums use bare enumerator names"},
	{"LM_FixtureTypes.gen.cpp", "{ TEXT(\"ELM_FixtureQuality::Medium\"), (int64)ELM_FixtureQuality::Medium }", true,
		"namespaced enums qualify names with the namespace"},
	{"LM_FixtureTypes.gen.cpp", "ConstructUScriptStruct<FLM_FixtureDerived>(TEXT(\"LM_FixtureDerived\"), Z_Construct_UScriptStruct_FLM_FixtureOverrides()",
		true, "a derived struct names its super"},
	{"LM_FixtureTypes.generated.h", "StaticEnum<ELM_FixtureRegular>", false, "no StaticEnum for an enum without fixed underlying type"},
	{"LM_FixtureTypes.generated.h", "namespace ELM_FixtureQuality { enum Type : int; }", true, "namespaced enums are forward declared"},
	{"LM_FixtureComponent.gen.cpp", "new ((EInternal*)X.GetObj()) ULM_FixtureComponent(X); }", true,
		"a declared FObjectInitializer constructor is used"},
	{"LM_FixtureComponent.gen.cpp", "new ((EInternal*)X.GetObj()) ULM_FixtureAsset; }", true, "otherwise the default constructor"},
	{"LM_FixtureComponent.gen.cpp", "(EClassFlags)(CLASS_Native | CLASS_Abstract | CLASS_MinimalAPI), nullptr);", true,
		"abstract classes have no constructor"},
	{"LM_FixtureComponent.gen.cpp", "(CPF_Edit | CPF_NativeAccessSpecifierPublic | CPF_EditorOnly), STRUCT_OFFSET(ULM_FixtureComponent, bShowPreview)",
		true, "WITH_EDITORONLY_DATA members are editor-only"},
	{"LM_FixtureComponent.gen.cpp", "(CPF_Edit | CPF_BlueprintVisible | CPF_NativeAccessSpecifierPublic), STRUCT_OFFSET(ULM_FixtureComponent, FloatValue)",
		true, "ordinary members are not editor-only"},
	{"LM_FixtureComponent.gen.cpp", "(CPF_Edit | CPF_NativeAccessSpecifierProtected | CPF_Protected), STRUCT_OFFSET(ULM_FixtureComponent, ProtectedValue)",
		true, "protected section"},
	{"LM_FixtureComponent.gen.cpp", "(CPF_Edit | CPF_NativeAccessSpecifierPrivate), STRUCT_OFFSET(ULM_FixtureComponent, PrivateValue)", true,
		"private section"},
	{"LM_FixtureComponent.gen.cpp", "TEXT(\"bShowPreview\"), (EPropertyFlags)(CPF_NativeAccessSpecifierPublic)", false,
		"the #else branch of WITH_EDITORONLY_DATA is dead"},
	{"LM_FixtureComponent.gen.cpp", "UECodeGen_Private::TArrayOps<TObjectPtr<ULM_FixtureAsset>>::Get());\n\t\tnew FObjectProperty(P, TEXT(\"Assets\")", true,
		"arrays construct their inner property on the array"},
	{"LM_FixtureComponent.gen.cpp", "(EPropertyFlags)(CPF_Parm | CPF_OutParm), STRUCT_OFFSET(ULM_FixtureComponent_eventTryGetEntries_Parms, OutCount)",
		true, "non-const reference parameters are out parameters"},
	{"LM_FixtureComponent.gen.cpp", "(EPropertyFlags)(CPF_Parm | CPF_ConstParm), STRUCT_OFFSET(ULM_FixtureComponent_eventGetSunDirection_Parms, Offset)",
		true, "const reference parameters are const parameters"},
	{"LM_FixtureComponent.gen.cpp", "TEXT(\"GetSunDirection\"), (EFunctionFlags)(FUNC_Native | FUNC_Public | FUNC_BlueprintCallable | FUNC_BlueprintPure | FUNC_Const | FUNC_HasOutParms)",
		true, "pure const function with a return value"},
	{"LM_FixtureComponent.gen.cpp", "\t\tFRotator Offset;\n\t\tFVector ReturnValue;\n", true, "parameter structs drop const and &, return last"},
	{"LM_FixtureComponent.gen.cpp", "(FUNC_Native | FUNC_Public | FUNC_BlueprintCallable | FUNC_Static | FUNC_HasOutParms)", true, "static function"},
	{"LM_FixtureComponent.gen.cpp", "TEXT(\"ExportedCount\"), (EFunctionFlags)(FUNC_Native | FUNC_Public | FUNC_BlueprintCallable | FUNC_BlueprintPure | FUNC_Const | FUNC_HasOutParms)",
		true, "a module API macro before the return type is accepted"},
	{"LM_FixtureComponent.gen.cpp", "TEXT(\"HandleTimer\"), (EFunctionFlags)(FUNC_Native | FUNC_Protected), 0);", true,
		"functions without parameters have no parameter struct"},
	{"LM_FixtureComponent.gen.cpp", "TEXT(\"ClassGroupNames\"), TEXT(\"Lumarch Lighting\")", true, "ClassGroup list becomes space-joined metadata"},
	{"LM_FixtureComponent.gen.cpp", "TEXT(\"HideCategories\"), TEXT(\"Object Activation\")", true, "quoted and bare list values"},
	{"LM_FixtureComponent.gen.cpp", "new FMulticastInlineDelegateProperty(Owner, TEXT(\"OnFixtureChanged\")", true,
		"delegates declared at class scope are known types"},
	{"LM_FixtureComponent.gen.cpp", "float ULM_FixtureComponent::ComputeBrightness(const FLinearColor& InColor) const\n{\n\treturn ComputeBrightness_Implementation(InColor);",
		true, "native events forward to _Implementation"},
	{"LM_FixtureEditorOnly.gen.cpp", "(CPF_Edit | CPF_NativeAccessSpecifierPublic | CPF_EditorOnly), STRUCT_OFFSET(FLM_FixtureEditorState, Revision)", true,
		"a whole struct inside WITH_EDITORONLY_DATA is editor-only"},
	{"LM_FixtureEditorOnly.gen.cpp", "\nUClass* Z_Construct_UClass_ULM_FixtureComponent_NoRegister();\n", true,
		"a super class from another header is declared extern"},
};
INSTANTIATE_TEST_SUITE_P(Contract, HeaderToolSnippet, ::testing::ValuesIn(Snippets));

// Outputs are rewritten only when their content changes, so unchanged headers do not trigger rebuilds.
TEST(HeaderTool, RewritesOnlyChangedOutputs)
{
	fs::path Out = FreshDir("incremental");
	ASSERT_EQ(RunTool(GoodArgs(Out)).Exit, 0);
	const fs::path Header = Out / "LM_FixtureTypes.generated.h";
	const fs::path Cpp = Out / "LM_FixtureTypes.gen.cpp";
	const auto Old = fs::last_write_time(Header) - std::chrono::hours(1);
	fs::last_write_time(Header, Old);
	const std::string Original = ReadAll(Cpp);
	std::ofstream(Cpp, std::ios::app) << "// stale\n";

	ASSERT_EQ(RunTool(GoodArgs(Out)).Exit, 0);
	EXPECT_EQ(fs::last_write_time(Header), Old) << "an unchanged output must keep its timestamp";
	EXPECT_EQ(ReadAll(Cpp), Original) << "a changed output must be rewritten";
	fs::remove_all(Out);
}

// The command line for a whole project is long, so CMake passes it in a response file.
TEST(HeaderTool, AcceptsResponseFile)
{
	fs::path Direct = FreshDir("direct");
	fs::path ViaFile = FreshDir("response");
	ASSERT_EQ(RunTool(GoodArgs(Direct)).Exit, 0);
	fs::path Rsp = ViaFile / "args.rsp";
	{
		std::ofstream F(Rsp);
		for (const std::string& A : GoodArgs(ViaFile / "out"))
			F << A << "\r\n";
	}
	RunResult R = RunTool({"@" + Rsp.string()});
	ASSERT_EQ(R.Exit, 0) << R.Output;
	for (const std::string& H : GoodHeaders)
		for (const char* Ext : {".generated.h", ".gen.cpp"})
			EXPECT_EQ(ReadAll(ViaFile / "out" / (Stem(H) + Ext)), ReadAll(Direct / (Stem(H) + Ext))) << H << Ext;
	fs::remove_all(Direct);
	fs::remove_all(ViaFile);
}

// ---- bad fixtures -------------------------------------------------------------------------------

struct BadCase
{
	const char* File;
	int Line;
	const char* Message;
	bool WithTypes; // run together with LM_FixtureTypes.h
};

void PrintTo(const BadCase& C, std::ostream* Os) { *Os << C.File; }

class HeaderToolBad : public ::testing::TestWithParam<BadCase>
{
};

// Anything the tool does not understand must stop the build and point at the offending line.
TEST_P(HeaderToolBad, FailsAtFileAndLine)
{
	const BadCase& C = GetParam();
	fs::path Out = FreshDir("bad");
	std::string Path = (FixtureDir / "Bad" / C.File).string();
	std::vector<std::string> Args = {"--root", RepoRoot().string(), "--out", Out.string()};
	if (C.WithTypes)
		Args.push_back("ZNLumarch=" + (FixtureDir / "LM_FixtureTypes.h").string());
	Args.push_back("ZNLumarch=" + Path);
	RunResult R = RunTool(Args);
	EXPECT_EQ(R.Exit, 1) << R.Output;
	std::string Expected = Path + ":" + std::to_string(C.Line) + ": error: ";
	EXPECT_EQ(R.Output.rfind(Expected, 0), 0u) << "expected prefix " << Expected << "\n  got: " << R.Output;
	EXPECT_NE(R.Output.find(C.Message), std::string::npos) << R.Output;
	EXPECT_TRUE(fs::is_empty(Out)) << "nothing is written when any header fails";
	fs::remove_all(Out);
}

const BadCase BadCases[] = {
	{"UnknownPropertyKeyword.h", 12, "unknown UPROPERTY specifier 'BlueprintReadWrit'", false},
	{"UnsupportedType.h", 15, "unsupported property type 'TMap<FName, float>'", false},
	{"PropertyOutsideType.h", 13, "UPROPERTY is only allowed directly inside a UCLASS or USTRUCT", false},
	{"MissingGeneratedInclude.h", 6, "missing #include \"MissingGeneratedInclude.generated.h\"", false},
	{"GeneratedIncludeNotLast.h", 5, "must be the last #include", false},
	{"DuplicateType.h", 8, "duplicate type name 'FLM_FixtureOverrides'", true},
	{"UnbalancedBraces.h", 13, "'}' without a matching '{'", false},
	{"UnclosedClass.h", 8, "'{' is never closed", false},
	{"DisplayNameOutsideMeta.h", 11, "DisplayName must be given inside meta=(...)", false},
	{"MissingGeneratedBody.h", 7, "ULM_NoBody has no GENERATED_BODY()", false},
	{"UnknownClass.h", 17, "'UNotReflected' is not a UCLASS", false},
	{"PropertyInWithEditor.h", 12, "use #if WITH_EDITORONLY_DATA", false},
	{"NestedArray.h", 12, "nested TArray", false},
	{"UnknownEnumKeyword.h", 6, "unknown UENUM specifier 'Scripted'", false},
	{"UMetaOutsideEnum.h", 8, "UMETA is only allowed on an enumerator of a UENUM", false},
	{"UnterminatedString.h", 11, "unterminated string literal", false},
};
INSTANTIATE_TEST_SUITE_P(Fixtures, HeaderToolBad, ::testing::ValuesIn(BadCases),
	[](const ::testing::TestParamInfo<BadCase>& Info) {
		std::string N = Info.param.File;
		return N.substr(0, N.find('.'));
	});

} // namespace
