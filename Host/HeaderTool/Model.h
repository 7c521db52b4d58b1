// What the parser learns from a header: reflected classes, structs, enums and delegate types.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zht
{

using MetaData = std::vector<std::pair<std::string, std::string>>;

// Sets Key (replacing an earlier value, keeping its position).
inline void SetMeta(MetaData& M, const std::string& Key, const std::string& Value)
{
	for (auto& KV : M)
		if (KV.first == Key)
		{
			KV.second = Value;
			return;
		}
	M.emplace_back(Key, Value);
}

inline bool HasMeta(const MetaData& M, const std::string& Key)
{
	for (const auto& KV : M)
		if (KV.first == Key)
			return true;
	return false;
}

enum class Access
{
	Public,
	Protected,
	Private
};

struct TypeRef
{
	std::string Name;          // qualified name as written, without class/struct/enum keywords
	std::vector<TypeRef> Args; // template arguments
	bool Const = false;        // top-level const
	int Pointers = 0;
	bool Ref = false;

	// C++ spelling without top-level const and reference (what a parameter struct member uses).
	std::string Cpp() const
	{
		std::string S = Name;
		if (!Args.empty())
		{
			S += '<';
			for (size_t K = 0; K < Args.size(); ++K)
				S += (K ? ", " : "") + Args[K].Spelling();
			S += '>';
		}
		S += std::string(static_cast<size_t>(Pointers), '*');
		return S;
	}
	// Full spelling of a template argument (keeps its const).
	std::string Spelling() const { return (Const ? "const " : "") + Cpp() + (Ref ? "&" : ""); }
};

struct PropertyDecl
{
	std::string Name;
	TypeRef Type;
	int Line = 0;
	int BitWidth = 0; // 1 for `uint8 bX : 1`
	std::vector<std::string> Flags;
	MetaData Meta;
};

struct ParamDecl
{
	std::string Name;
	TypeRef Type;
	std::string TypeText; // as written, for re-declaring the function
	int Line = 0;
	bool UParamRef = false; // UPARAM(ref)
};

struct FunctionDecl
{
	std::string Name;
	int Line = 0;
	bool ReturnsVoid = true;
	TypeRef Return;
	std::string ReturnText;
	std::vector<ParamDecl> Params;
	bool Const = false;
	bool Static = false;
	bool ImplementableEvent = false;
	bool NativeEvent = false;
	std::vector<std::string> Flags;
	MetaData Meta;
};

struct StructDecl
{
	bool IsClass = false;      // UCLASS rather than USTRUCT
	bool ClassKeyword = false; // declared with `class` rather than `struct`
	std::string CppName;
	std::string Api; // API macro on the declaration, may be empty
	std::string Super;
	int Line = 0;
	int BodyLine = 0; // line of GENERATED_BODY()
	bool Abstract = false;
	bool ObjectInitializerCtor = false;
	std::vector<std::string> Flags;
	MetaData Meta;
	std::vector<PropertyDecl> Props;
	std::vector<FunctionDecl> Funcs;
	std::vector<std::string> DeclaredFunctions; // names of all member functions, reflected or not
};

enum class EnumForm
{
	Regular,
	Namespaced,
	EnumClass
};

struct EnumeratorDecl
{
	std::string Name;
	int Line = 0;
	MetaData Meta;
};

struct EnumDecl
{
	std::string Name; // for the namespaced form, the namespace
	EnumForm Form = EnumForm::EnumClass;
	std::string Underlying; // empty when not fixed
	int Line = 0;
	MetaData Meta;
	std::vector<EnumeratorDecl> Values;
};

struct DelegateDecl
{
	std::string Name;
	bool Multicast = false;
	bool Sparse = false;
	int Line = 0;
};

struct HeaderModel
{
	std::string ArgPath; // as given on the command line
	std::string Module;
	std::string AbsPath;
	std::string RelPath; // relative to --root, '/' separators
	std::string Fid;
	std::string Stem;
	bool HasUMacros = false;
	int FirstUMacroLine = 0;
	std::vector<EnumDecl> Enums;
	std::vector<StructDecl> Types; // classes and structs in declaration order
	std::vector<DelegateDecl> Delegates;
};

} // namespace zht
