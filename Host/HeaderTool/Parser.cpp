#include "Parser.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace zht
{
namespace
{

std::string Lower(std::string S)
{
	for (char& C : S)
		C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
	return S;
}

bool IsUMacro(const std::string& S)
{
	static const std::set<std::string> Names = {"UPROPERTY", "UFUNCTION", "UCLASS", "USTRUCT", "UENUM", "UMETA",
		"UINTERFACE", "UPARAM", "GENERATED_BODY", "GENERATED_UCLASS_BODY", "GENERATED_USTRUCT_BODY",
		"GENERATED_UINTERFACE_BODY", "GENERATED_IINTERFACE_BODY"};
	return Names.count(S) != 0;
}

bool IsAccessWord(const Token& T) { return T.Is("public") || T.Is("protected") || T.Is("private"); }

// One item of a specifier list: Key, Key=Value, Key=(A, B) or meta=(K=V, ...).
struct Spec
{
	std::string Key;
	int Line = 0;
	bool HasValue = false;
	std::string Value; // string literal contents or raw source text
	bool IsList = false;
	std::vector<std::string> List;
	std::vector<Spec> Meta; // for meta=(...)
};

void AddFlags(std::vector<std::string>& Flags, std::initializer_list<const char*> More)
{
	for (const char* F : More)
		if (std::find(Flags.begin(), Flags.end(), F) == Flags.end())
			Flags.emplace_back(F);
}

class Parser
{
public:
	Parser(const LexedFile& InF, HeaderModel& InM) : F(InF), T(InF.Tokens), M(InM) {}

	void Run()
	{
		std::vector<int> Braces; // lines of '{' at file scope (namespaces, non-reflected types, functions)
		while (T[I].Kind != TokKind::End)
		{
			const Token& K = T[I];
			if (K.Kind == TokKind::Ident)
			{
				const std::string& S = K.Text;
				if (S == "UCLASS" || S == "USTRUCT" || S == "UENUM")
				{
					if (!Braces.empty())
						Fail(K.Line, S + " must be at global scope (found inside a namespace, type or function body)");
					if (S == "UENUM")
						ParseEnum();
					else
						ParseStruct(S == "UCLASS");
					continue;
				}
				if (S == "UDELEGATE")
				{
					ExpectAt(I + 1, "(", "after UDELEGATE");
					I = Close(I + 1) + 1;
					continue;
				}
				if (S.rfind("DECLARE_", 0) == 0 && T[I + 1].Is("("))
				{
					ParseDeclare();
					continue;
				}
				if (IsUMacro(S))
					FailMisplaced(K);
			}
			else if (K.Is("{"))
				Braces.push_back(K.Line);
			else if (K.Is("}"))
			{
				if (Braces.empty())
					Fail(K.Line, "unbalanced braces: '}' without a matching '{'");
				Braces.pop_back();
			}
			++I;
		}
		if (!Braces.empty())
			Fail(Braces.back(), "unbalanced braces: '{' is never closed");
	}

private:
	const LexedFile& F;
	const std::vector<Token>& T;
	HeaderModel& M;
	size_t I = 0;

	[[noreturn]] void Fail(int Line, const std::string& Msg) const { throw ToolError(F.Path, Line, Msg); }

	[[noreturn]] void FailMisplaced(const Token& K) const
	{
		if (K.Text == "UMETA")
			Fail(K.Line, "UMETA is only allowed on an enumerator of a UENUM");
		if (K.Text == "UINTERFACE" || K.Text == "GENERATED_UINTERFACE_BODY" || K.Text == "GENERATED_IINTERFACE_BODY")
			Fail(K.Line, K.Text + " is not supported");
		if (K.Text == "UPARAM")
			Fail(K.Line, "UPARAM is only allowed on a parameter of a UFUNCTION");
		Fail(K.Line, K.Text + " is only allowed directly inside a UCLASS or USTRUCT");
	}

	std::string Describe(const Token& K) const { return K.Kind == TokKind::End ? "end of file" : "'" + K.Text + "'"; }

	void ExpectAt(size_t At, const char* What, const std::string& Context) const
	{
		if (!T[At].Is(What))
			Fail(T[At].Line, std::string("expected '") + What + "' " + Context + ", found " + Describe(T[At]));
	}

	// Index of the bracket closing the one at Open; reports mismatches and unclosed brackets.
	size_t Close(size_t Open) const
	{
		std::vector<size_t> Stack{Open};
		for (size_t K = Open + 1; T[K].Kind != TokKind::End; ++K)
		{
			if (T[K].Kind != TokKind::Punct)
				continue;
			const std::string& S = T[K].Text;
			if (S == "(" || S == "[" || S == "{")
				Stack.push_back(K);
			else if (S == ")" || S == "]" || S == "}")
			{
				const std::string& O = T[Stack.back()].Text;
				char Want = O == "(" ? ')' : O == "[" ? ']' : '}';
				if (S[0] != Want)
				{
					if (S == "}")
						Fail(T[Stack.back()].Line, "unbalanced '" + O + "': closed by '}' at line " + std::to_string(T[K].Line));
					Fail(T[K].Line, "unbalanced '" + S + "' (does not match '" + O + "' at line " + std::to_string(T[Stack.back()].Line) + ")");
				}
				Stack.pop_back();
				if (Stack.empty())
					return K;
			}
		}
		const Token& O = T[Stack.back()];
		Fail(O.Line, std::string(O.Text == "{" ? "unbalanced braces" : "unbalanced brackets") + ": '" + O.Text + "' is never closed");
	}

	// Source text of tokens [B, E), whitespace runs collapsed.
	std::string Raw(size_t B, size_t E) const
	{
		if (B >= E)
			return {};
		std::string S = F.Source.substr(T[B].Begin, T[E - 1].End - T[B].Begin);
		std::string Out;
		bool Ws = false;
		for (char C : S)
		{
			if (std::isspace(static_cast<unsigned char>(C)))
				Ws = true;
			else
			{
				if (Ws && !Out.empty())
					Out += ' ';
				Ws = false;
				Out += C;
			}
		}
		return Out;
	}

	// Splits [B, E) at top-level commas; Angle also treats <...> as nesting (for parameter lists).
	std::vector<std::pair<size_t, size_t>> Split(size_t B, size_t E, bool Angle = false) const
	{
		std::vector<std::pair<size_t, size_t>> Out;
		size_t Start = B;
		int AngleDepth = 0;
		bool AfterEq = false;
		for (size_t K = B; K < E; ++K)
		{
			if (T[K].Is("(") || T[K].Is("[") || T[K].Is("{"))
			{
				K = Close(K);
				continue;
			}
			if (Angle && !AfterEq)
			{
				if (T[K].Is("<"))
					++AngleDepth;
				else if (T[K].Is(">") && AngleDepth > 0)
					--AngleDepth;
				else if (T[K].Is("="))
					AfterEq = true;
			}
			if (T[K].Is(",") && AngleDepth == 0)
			{
				Out.emplace_back(Start, K);
				Start = K + 1;
				AfterEq = false;
			}
		}
		Out.emplace_back(Start, E);
		return Out;
	}

	std::string ValueOf(size_t B, size_t E) const
	{
		if (E == B + 1 && T[B].Kind == TokKind::String)
			return T[B].Value;
		return Raw(B, E);
	}

	// Parses "( items )" starting at the '(' at I; leaves I after the ')'.
	std::vector<Spec> ParseSpecs(bool InMeta = false)
	{
		size_t Open = I;
		size_t C = Close(Open);
		std::vector<Spec> Out = ParseSpecItems(Open + 1, C, InMeta);
		I = C + 1;
		return Out;
	}

	std::vector<Spec> ParseSpecItems(size_t B, size_t E, bool InMeta) const
	{
		std::vector<Spec> Out;
		for (auto [IB, IE] : Split(B, E))
		{
			if (IB == IE)
			{
				if (IB < E || B != E)
					continue; // tolerate a trailing comma
				continue;
			}
			Spec S;
			S.Line = T[IB].Line;
			if (T[IB].Kind != TokKind::Ident)
				Fail(T[IB].Line, "expected a specifier name, found " + Describe(T[IB]));
			S.Key = T[IB].Text;
			if (IE > IB + 1)
			{
				if (!T[IB + 1].Is("="))
					Fail(T[IB + 1].Line, "expected '=' or ',' after specifier '" + S.Key + "', found " + Describe(T[IB + 1]));
				if (IE == IB + 2)
					Fail(T[IB + 1].Line, "missing value for specifier '" + S.Key + "'");
				S.HasValue = true;
				size_t VB = IB + 2;
				if (T[VB].Is("(") && Close(VB) == IE - 1)
				{
					S.IsList = true;
					S.Value = Raw(VB + 1, IE - 1);
					if (!InMeta && Lower(S.Key) == "meta")
						S.Meta = ParseSpecItems(VB + 1, IE - 1, true);
					else
						for (auto [LB, LE] : Split(VB + 1, IE - 1))
							if (LB < LE)
								S.List.push_back(ValueOf(LB, LE));
				}
				else
					S.Value = ValueOf(VB, IE);
			}
			Out.push_back(std::move(S));
		}
		return Out;
	}

	void ApplyMeta(const Spec& S, MetaData& Meta) const
	{
		if (!S.IsList)
			Fail(S.Line, "meta must be given as meta=(Key=Value, ...)");
		for (const Spec& Item : S.Meta)
		{
			if (Item.IsList && !Item.Meta.empty())
				Fail(Item.Line, "nested meta is not allowed");
			SetMeta(Meta, Item.Key, Item.HasValue ? (Item.IsList ? "(" + Item.Value + ")" : Item.Value) : std::string());
		}
	}

	static void ApplyDoc(const Token& Macro, const Token& After, MetaData& Meta)
	{
		const Token& Src = Macro.HasDoc ? Macro : After;
		if (Src.HasDoc && !Src.Doc.empty() && !HasMeta(Meta, "ToolTip"))
			SetMeta(Meta, "ToolTip", Src.Doc);
	}

	void NoValue(const Spec& S, const char* Kind) const
	{
		if (S.HasValue)
			Fail(S.Line, std::string(Kind) + " specifier '" + S.Key + "' takes no value");
	}

	std::string NeedValue(const Spec& S, const char* Kind) const
	{
		if (!S.HasValue || S.IsList)
			Fail(S.Line, std::string(Kind) + " specifier '" + S.Key + "' needs a value");
		return S.Value;
	}

	// ---- types -------------------------------------------------------------------------------

	TypeRef ParseTypeRef(size_t& K, size_t E) const
	{
		TypeRef R;
		while (K < E)
		{
			if (T[K].Is("const"))
				R.Const = true;
			else if (T[K].Is("volatile"))
				Fail(T[K].Line, "volatile is not supported");
			else if (!(T[K].Is("class") || T[K].Is("struct") || T[K].Is("enum") || T[K].Is("typename")))
				break;
			++K;
		}
		if (K < E && T[K].Is("::"))
			++K;
		if (K >= E || T[K].Kind != TokKind::Ident)
			Fail(T[std::min(K, E)].Line, "expected a type, found " + Describe(T[std::min(K, E)]));
		static const std::set<std::string> Builtin = {"unsigned", "signed", "long", "short"};
		if (Builtin.count(T[K].Text))
		{
			while (K < E && (Builtin.count(T[K].Text) || T[K].Is("int") || T[K].Is("char")))
				R.Name += (R.Name.empty() ? "" : " ") + T[K++].Text;
		}
		else
		{
			R.Name = T[K++].Text;
			while (K + 1 < E && T[K].Is("::") && T[K + 1].Kind == TokKind::Ident)
			{
				R.Name += "::" + T[K + 1].Text;
				K += 2;
			}
		}
		if (K < E && T[K].Is("<"))
		{
			++K;
			while (true)
			{
				if (K < E && T[K].Kind != TokKind::Ident && !T[K].Is("::"))
					Fail(T[K].Line, "unsupported template argument " + Describe(T[K]) + " in '" + R.Name + "<...>'");
				R.Args.push_back(ParseTypeRef(K, E));
				if (K < E && T[K].Is(","))
				{
					++K;
					continue;
				}
				if (K < E && T[K].Is(">"))
				{
					++K;
					break;
				}
				Fail(T[std::min(K, E)].Line, "expected '>' closing '" + R.Name + "<'");
			}
		}
		while (K < E)
		{
			if (T[K].Is("const"))
			{
				if (R.Pointers == 0)
					R.Const = true;
			}
			else if (T[K].Is("*"))
				++R.Pointers;
			else if (T[K].Is("&"))
			{
				if (R.Ref)
					Fail(T[K].Line, "rvalue references are not supported");
				R.Ref = true;
			}
			else
				break;
			++K;
		}
		return R;
	}

	// ---- file-scope constructs ---------------------------------------------------------------

	void ParseDeclare()
	{
		const Token& K = T[I];
		size_t C = Close(I + 1);
		if (K.Text.find("DYNAMIC") != std::string::npos)
		{
			auto Args = Split(I + 2, C, true);
			size_t NameArg = K.Text.find("_RetVal") != std::string::npos ? 1 : 0;
			if (Args.size() <= NameArg || Args[NameArg].second != Args[NameArg].first + 1
				|| T[Args[NameArg].first].Kind != TokKind::Ident)
				Fail(K.Line, "cannot find the delegate type name in " + K.Text);
			DelegateDecl D;
			D.Name = T[Args[NameArg].first].Text;
			D.Multicast = K.Text.find("MULTICAST") != std::string::npos;
			D.Sparse = K.Text.find("SPARSE") != std::string::npos;
			D.Line = K.Line;
			M.Delegates.push_back(D);
		}
		I = C + 1;
		if (T[I].Is(";"))
			++I;
	}

	void NoteUMacro(int Line)
	{
		M.HasUMacros = true;
		if (!M.FirstUMacroLine)
			M.FirstUMacroLine = Line;
	}

	void ParseEnum()
	{
		const Token& Macro = T[I];
		NoteUMacro(Macro.Line);
		ExpectAt(I + 1, "(", "after UENUM");
		++I;
		std::vector<Spec> Specs = ParseSpecs();
		EnumDecl En;
		for (const Spec& S : Specs)
		{
			std::string K = Lower(S.Key);
			if (K == "blueprinttype")
			{
				NoValue(S, "UENUM");
				SetMeta(En.Meta, "BlueprintType", "true");
			}
			else if (K == "flags")
			{
				NoValue(S, "UENUM");
				SetMeta(En.Meta, "Bitflags", "");
			}
			else if (K == "meta")
				ApplyMeta(S, En.Meta);
			else
				Fail(S.Line, "unknown UENUM specifier '" + S.Key + "'");
		}
		ApplyDoc(Macro, T[I], En.Meta);

		size_t NamespaceClose = 0;
		if (T[I].Is("namespace"))
		{
			En.Form = EnumForm::Namespaced;
			++I;
			if (T[I].Kind != TokKind::Ident)
				Fail(T[I].Line, "expected a namespace name after UENUM(...) namespace");
			En.Name = T[I].Text;
			En.Line = T[I].Line;
			++I;
			ExpectAt(I, "{", "after namespace " + En.Name);
			NamespaceClose = Close(I);
			++I;
			ExpectAt(I, "enum", "in UENUM namespace " + En.Name);
			++I;
			if (!T[I].Is("Type"))
				Fail(T[I].Line, "a namespaced UENUM must declare 'enum Type', found " + Describe(T[I]));
			++I;
		}
		else if (T[I].Is("enum"))
		{
			++I;
			En.Form = EnumForm::Regular;
			if (T[I].Is("class") || T[I].Is("struct"))
			{
				En.Form = EnumForm::EnumClass;
				++I;
			}
			if (T[I].Kind != TokKind::Ident)
				Fail(T[I].Line, "expected an enum name, found " + Describe(T[I]));
			En.Name = T[I].Text;
			En.Line = T[I].Line;
			++I;
		}
		else
			Fail(T[I].Line, "UENUM(...) must be followed by an enum or a namespace, found " + Describe(T[I]));

		if (T[I].Is(":"))
		{
			size_t B = ++I;
			while (T[I].Kind == TokKind::Ident || T[I].Is("::"))
				++I;
			if (I == B)
				Fail(T[I].Line, "expected the underlying type of enum " + En.Name);
			En.Underlying = Raw(B, I);
		}
		if (T[I].Is(";"))
			Fail(T[I].Line, "UENUM must precede an enum definition, not a forward declaration");
		ExpectAt(I, "{", "to open enum " + En.Name);
		size_t C = Close(I);
		ParseEnumerators(En, I + 1, C);
		I = C + 1;
		ExpectAt(I, ";", "after enum " + En.Name);
		++I;
		if (NamespaceClose)
		{
			if (I != NamespaceClose)
				Fail(T[I].Line, "a UENUM namespace may only contain 'enum Type'");
			I = NamespaceClose + 1;
		}
		M.Enums.push_back(std::move(En));
	}

	void ParseEnumerators(EnumDecl& En, size_t B, size_t E)
	{
		std::set<std::string> Seen;
		for (auto [IB, IE] : Split(B, E))
		{
			if (IB == IE)
			{
				if (IE != E)
					Fail(T[IE].Line, "empty enumerator in " + En.Name);
				continue;
			}
			if (T[IB].Kind != TokKind::Ident || IsUMacro(T[IB].Text))
				Fail(T[IB].Line, "expected an enumerator name, found " + Describe(T[IB]));
			EnumeratorDecl V;
			V.Name = T[IB].Text;
			V.Line = T[IB].Line;
			if (!Seen.insert(V.Name).second)
				Fail(V.Line, "duplicate enumerator '" + V.Name + "'");
			size_t K = IB + 1;
			while (K < IE)
			{
				if (T[K].Is("UMETA"))
				{
					if (K + 1 >= IE || !T[K + 1].Is("("))
						Fail(T[K].Line, "expected '(' after UMETA");
					size_t C = Close(K + 1);
					for (const Spec& S : ParseSpecItems(K + 2, C, true))
					{
						if (Lower(S.Key) == "meta")
							Fail(S.Line, "UMETA takes metadata keys directly, not meta=(...)");
						SetMeta(V.Meta, S.Key, S.HasValue ? S.Value : std::string());
					}
					K = C + 1;
				}
				else if (T[K].Is("="))
				{
					++K;
					size_t VB = K;
					while (K < IE && !T[K].Is("UMETA"))
						K = (T[K].Is("(") || T[K].Is("[") || T[K].Is("{")) ? Close(K) + 1 : K + 1;
					if (K == VB)
						Fail(T[VB - 1].Line, "missing value for enumerator " + V.Name);
				}
				else
					Fail(T[K].Line, "unexpected " + Describe(T[K]) + " after enumerator " + V.Name);
			}
			if (T[IB].HasDoc && !T[IB].Doc.empty() && !HasMeta(V.Meta, "ToolTip"))
				SetMeta(V.Meta, "ToolTip", T[IB].Doc);
			En.Values.push_back(std::move(V));
		}
	}

	// ---- classes and structs -----------------------------------------------------------------

	void ApplyClassSpecs(const std::vector<Spec>& Specs, StructDecl& D) const
	{
		auto Joined = [](const Spec& S) {
			if (!S.IsList)
				return S.Value;
			std::string Out;
			for (const std::string& V : S.List)
				Out += (Out.empty() ? "" : " ") + V;
			return Out;
		};
		auto Append = [&](const char* Key, const Spec& S) {
			if (!S.HasValue)
				Fail(S.Line, "UCLASS specifier '" + S.Key + "' needs a value");
			std::string Prev;
			for (const auto& KV : D.Meta)
				if (KV.first == Key)
					Prev = KV.second;
			SetMeta(D.Meta, Key, Prev.empty() ? Joined(S) : Prev + " " + Joined(S));
		};
		for (const Spec& S : Specs)
		{
			std::string K = Lower(S.Key);
			if (K == "meta")
				ApplyMeta(S, D.Meta);
			else if (K == "abstract")
				NoValue(S, "UCLASS"), AddFlags(D.Flags, {"CLASS_Abstract"}), D.Abstract = true;
			else if (K == "transient")
				NoValue(S, "UCLASS"), AddFlags(D.Flags, {"CLASS_Transient"});
			else if (K == "config")
				NeedValue(S, "UCLASS"), AddFlags(D.Flags, {"CLASS_Config"});
			else if (K == "defaultconfig")
				NoValue(S, "UCLASS"), AddFlags(D.Flags, {"CLASS_DefaultConfig"});
			else if (K == "minimalapi")
				NoValue(S, "UCLASS"), AddFlags(D.Flags, {"CLASS_MinimalAPI"});
			else if (K == "editinlinenew")
				NoValue(S, "UCLASS"), AddFlags(D.Flags, {"CLASS_EditInlineNew"});
			else if (K == "notplaceable")
				NoValue(S, "UCLASS"), AddFlags(D.Flags, {"CLASS_NotPlaceable"});
			else if (K == "placeable")
				NoValue(S, "UCLASS");
			else if (K == "collapsecategories")
				NoValue(S, "UCLASS"), AddFlags(D.Flags, {"CLASS_CollapseCategories"});
			else if (K == "hidedropdown")
				NoValue(S, "UCLASS"), AddFlags(D.Flags, {"CLASS_HideDropDown"});
			else if (K == "deprecated")
				NoValue(S, "UCLASS"), AddFlags(D.Flags, {"CLASS_Deprecated"});
			else if (K == "within")
				NeedValue(S, "UCLASS");
			else if (K == "blueprintable")
			{
				NoValue(S, "UCLASS");
				SetMeta(D.Meta, "IsBlueprintBase", "true");
				SetMeta(D.Meta, "BlueprintType", "true");
			}
			else if (K == "notblueprintable")
				NoValue(S, "UCLASS"), SetMeta(D.Meta, "IsBlueprintBase", "false");
			else if (K == "blueprinttype")
				NoValue(S, "UCLASS"), SetMeta(D.Meta, "BlueprintType", "true");
			else if (K == "notblueprinttype")
				NoValue(S, "UCLASS"), SetMeta(D.Meta, "BlueprintType", "false");
			else if (K == "classgroup")
				Append("ClassGroupNames", S);
			else if (K == "hidecategories")
				Append("HideCategories", S);
			else if (K == "showcategories")
				Append("ShowCategories", S);
			else if (K == "autoexpandcategories")
				Append("AutoExpandCategories", S);
			else if (K == "autocollapsecategories")
				Append("AutoCollapseCategories", S);
			else if (K == "displayname")
				Fail(S.Line, "DisplayName must be given inside meta=(...)");
			else
				Fail(S.Line, "unknown UCLASS specifier '" + S.Key + "'");
		}
	}

	void ApplyStructSpecs(const std::vector<Spec>& Specs, StructDecl& D) const
	{
		for (const Spec& S : Specs)
		{
			std::string K = Lower(S.Key);
			if (K == "meta")
				ApplyMeta(S, D.Meta);
			else if (K == "blueprinttype")
				NoValue(S, "USTRUCT"), SetMeta(D.Meta, "BlueprintType", "true");
			else if (K == "atomic")
				NoValue(S, "USTRUCT"), AddFlags(D.Flags, {"STRUCT_Atomic"});
			else if (K == "immutable")
				NoValue(S, "USTRUCT"), AddFlags(D.Flags, {"STRUCT_Immutable"});
			else if (K == "noexport")
				Fail(S.Line, "USTRUCT(NoExport) is not supported");
			else if (K == "displayname")
				Fail(S.Line, "DisplayName must be given inside meta=(...)");
			else
				Fail(S.Line, "unknown USTRUCT specifier '" + S.Key + "'");
		}
	}

	void ParseStruct(bool IsClass)
	{
		const Token& Macro = T[I];
		const char* MacroName = IsClass ? "UCLASS" : "USTRUCT";
		NoteUMacro(Macro.Line);
		ExpectAt(I + 1, "(", std::string("after ") + MacroName);
		++I;
		std::vector<Spec> Specs = ParseSpecs();
		StructDecl D;
		D.IsClass = IsClass;
		if (IsClass)
			ApplyClassSpecs(Specs, D);
		else
			ApplyStructSpecs(Specs, D);
		ApplyDoc(Macro, T[I], D.Meta);

		if (!T[I].Is("class") && !T[I].Is("struct"))
			Fail(T[I].Line, std::string("expected 'class' or 'struct' after ") + MacroName + "(...), found " + Describe(T[I]));
		D.ClassKeyword = T[I].Is("class");
		++I;
		while (true)
		{
			if ((T[I].Is("alignas") || T[I].Is("MS_ALIGN") || T[I].Is("GCC_ALIGN")) && T[I + 1].Is("("))
				I = Close(I + 1) + 1;
			else if (T[I].Is("[") && T[I + 1].Is("["))
				I = Close(I) + 1;
			else
				break;
		}
		if (T[I].Kind == TokKind::Ident && T[I + 1].Kind == TokKind::Ident && T[I].Text.size() > 4
			&& T[I].Text.compare(T[I].Text.size() - 4, 4, "_API") == 0)
			D.Api = T[I++].Text;
		if (T[I].Kind != TokKind::Ident)
			Fail(T[I].Line, "expected a type name, found " + Describe(T[I]));
		D.CppName = T[I].Text;
		D.Line = T[I].Line;
		++I;
		if (IsClass && (D.CppName.size() < 2 || (D.CppName[0] != 'U' && D.CppName[0] != 'A')))
			Fail(D.Line, "UCLASS name '" + D.CppName + "' must start with U or A");
		if (!IsClass && (D.CppName.size() < 2 || D.CppName[0] != 'F'))
			Fail(D.Line, "USTRUCT name '" + D.CppName + "' must start with F");
		if (T[I].Is("final"))
			++I;
		if (T[I].Is(";"))
			Fail(T[I].Line, std::string(MacroName) + " must precede a definition, not a forward declaration");
		if (T[I].Is(":"))
		{
			++I;
			if (T[I].Is("virtual"))
				Fail(T[I].Line, "virtual inheritance is not supported");
			if (T[I].Is("protected") || T[I].Is("private") || (!T[I].Is("public") && D.ClassKeyword))
				Fail(T[I].Line, "a reflected type must derive publicly from its base");
			if (T[I].Is("public"))
				++I;
			if (T[I].Is("::"))
				++I;
			if (T[I].Kind != TokKind::Ident)
				Fail(T[I].Line, "expected a base type name, found " + Describe(T[I]));
			D.Super = T[I++].Text;
			while (T[I].Is("::") && T[I + 1].Kind == TokKind::Ident)
			{
				D.Super += "::" + T[I + 1].Text;
				I += 2;
			}
			if (T[I].Is("<"))
				Fail(T[I].Line, "a reflected type cannot derive from a template");
			// Further bases (plain C++ interfaces) are not reflected.
			while (!T[I].Is("{"))
			{
				if (T[I].Kind == TokKind::End || T[I].Is(";"))
					Fail(T[I].Line, "expected '{' to open " + D.CppName);
				++I;
			}
		}
		if (IsClass && D.Super.empty())
			Fail(D.Line, "UCLASS " + D.CppName + " must derive from UObject or another UCLASS");
		ExpectAt(I, "{", "to open " + D.CppName);
		size_t Open = I;
		size_t C = Close(Open);
		ParseBody(D, Open + 1, C);
		I = C + 1;
		ExpectAt(I, ";", "after the definition of " + D.CppName);
		++I;

		if (!D.BodyLine)
			Fail(D.Line, D.CppName + " has no GENERATED_BODY()");
		for (const FunctionDecl& Fn : D.Funcs)
			if (Fn.NativeEvent
				&& std::find(D.DeclaredFunctions.begin(), D.DeclaredFunctions.end(), Fn.Name + "_Implementation")
					== D.DeclaredFunctions.end())
				Fail(Fn.Line, "BlueprintNativeEvent " + Fn.Name + " needs a declaration of " + Fn.Name + "_Implementation");
		if (IsClass)
		{
			SetMeta(D.Meta, "IncludePath", IncludePath());
			SetMeta(D.Meta, "ModuleRelativePath", ModuleRelativePath());
		}
		M.Types.push_back(std::move(D));
	}

	// Module directory = the part of the path before Public/, Private/ or Classes/.
	size_t ModuleSplit(size_t& After) const
	{
		std::string P = "/" + M.RelPath;
		size_t Best = std::string::npos;
		for (const char* Dir : {"/Public/", "/Private/", "/Classes/"})
		{
			size_t K = P.rfind(Dir);
			if (K != std::string::npos && (Best == std::string::npos || K > Best))
			{
				Best = K;
				After = K + std::char_traits<char>::length(Dir) - 1;
			}
		}
		return Best;
	}
	std::string IncludePath() const
	{
		size_t After = 0;
		if (ModuleSplit(After) == std::string::npos)
			return M.RelPath.substr(M.RelPath.rfind('/') == std::string::npos ? 0 : M.RelPath.rfind('/') + 1);
		return M.RelPath.substr(After);
	}
	std::string ModuleRelativePath() const
	{
		size_t After = 0;
		size_t K = ModuleSplit(After);
		return K == std::string::npos ? M.RelPath : M.RelPath.substr(K);
	}

	void ParseBody(StructDecl& D, size_t B, size_t E)
	{
		Access Acc = D.ClassKeyword ? Access::Private : Access::Public;
		std::set<std::string> Names;
		I = B;
		while (I < E)
		{
			const Token& K = T[I];
			if (IsAccessWord(K) && T[I + 1].Is(":"))
			{
				Acc = K.Is("public") ? Access::Public : K.Is("protected") ? Access::Protected : Access::Private;
				I += 2;
				continue;
			}
			if (K.Is(";"))
			{
				++I;
				continue;
			}
			if (K.Kind == TokKind::Ident)
			{
				if (K.Text == "GENERATED_BODY")
				{
					if (D.BodyLine)
						Fail(K.Line, "duplicate GENERATED_BODY() in " + D.CppName);
					ExpectAt(I + 1, "(", "after GENERATED_BODY");
					ExpectAt(I + 2, ")", "after GENERATED_BODY(");
					D.BodyLine = K.Line;
					I += 3;
					if (D.IsClass)
						Acc = Access::Private; // the host's class body macro ends in private:
					continue;
				}
				if (K.Text == "GENERATED_UCLASS_BODY" || K.Text == "GENERATED_USTRUCT_BODY")
					Fail(K.Line, K.Text + " is not supported; use GENERATED_BODY()");
				if (K.Text == "UPROPERTY")
				{
					ParseProperty(D, Acc, E);
					if (!Names.insert(D.Props.back().Name).second)
						Fail(D.Props.back().Line, "duplicate member '" + D.Props.back().Name + "'");
					continue;
				}
				if (K.Text == "UFUNCTION")
				{
					if (!D.IsClass)
						Fail(K.Line, "UFUNCTION is not allowed in a USTRUCT");
					ParseFunction(D, Acc, E);
					if (!Names.insert(D.Funcs.back().Name).second)
						Fail(D.Funcs.back().Line, "duplicate member '" + D.Funcs.back().Name + "' (reflected functions cannot be overloaded)");
					continue;
				}
				if (K.Text == "UCLASS" || K.Text == "USTRUCT" || K.Text == "UENUM")
					Fail(K.Line, "nested reflected types are not supported (" + K.Text + " inside " + D.CppName + ")");
				if (K.Text.rfind("DECLARE_", 0) == 0 && T[I + 1].Is("("))
				{
					ParseDeclare();
					continue;
				}
				if (IsUMacro(K.Text))
					FailMisplaced(K);
			}
			SkipMember(D, E);
		}
	}

	void CheckNoUMacros(size_t B, size_t E) const
	{
		for (size_t K = B; K < E; ++K)
			if (T[K].Kind == TokKind::Ident && IsUMacro(T[K].Text))
			{
				if (T[K].Text == "UPARAM")
					continue; // legal on parameters of non-reflected functions
				if (T[K].Text == "UMETA")
					FailMisplaced(T[K]);
				Fail(T[K].Line, T[K].Text + " inside a type or function that is not reflected");
			}
	}

	// Skips one non-reflected member declaration (function, field, nested type, using, friend, macro).
	void SkipMember(StructDecl& D, size_t E)
	{
		size_t Start = I;
		size_t K = I;
		while (T[K].Is("explicit") || T[K].Is("inline") || T[K].Is("constexpr") || T[K].Is("FORCEINLINE"))
			++K;
		if (T[K].Is(D.CppName.c_str()) && T[K + 1].Is("("))
		{
			size_t C = Close(K + 1);
			for (size_t P = K + 2; P < C; ++P)
				if (T[P].Is("FObjectInitializer"))
					D.ObjectInitializerCtor = true;
		}
		bool SawParen = false, InInit = false;
		while (I < E)
		{
			const Token& X = T[I];
			if (X.Is(";"))
			{
				++I;
				return;
			}
			if (I != Start && X.Kind == TokKind::Ident
				&& ((IsUMacro(X.Text) && X.Text != "UPARAM") || (IsAccessWord(X) && T[I + 1].Is(":"))))
				return; // a macro without ';' preceded this
			if (X.Is("("))
			{
				if (I > Start && T[I - 1].Kind == TokKind::Ident && !SawParen)
					D.DeclaredFunctions.push_back(T[I - 1].Text);
				size_t C = Close(I);
				CheckNoUMacros(I, C);
				I = C + 1;
				SawParen = true;
				continue;
			}
			if (X.Is("["))
			{
				I = Close(I) + 1;
				continue;
			}
			if (X.Is(":") && SawParen)
				InInit = true;
			if (X.Is("{"))
			{
				size_t C = Close(I);
				CheckNoUMacros(I, C);
				bool Initializer = InInit && (T[I - 1].Kind == TokKind::Ident || T[I - 1].Is(">"));
				I = C + 1;
				if (Initializer)
					continue;
				if (SawParen)
				{
					if (I < E && T[I].Is(";"))
						++I;
					return;
				}
				continue;
			}
			++I;
		}
	}

	void ParseProperty(StructDecl& D, Access Acc, size_t BodyEnd)
	{
		const Token& Macro = T[I];
		ExpectAt(I + 1, "(", "after UPROPERTY");
		++I;
		std::vector<Spec> Specs = ParseSpecs();
		PropertyDecl P;
		int EditSpecs = 0;
		bool ReadWrite = false, ReadOnly = false;
		for (const Spec& S : Specs)
		{
			std::string K = Lower(S.Key);
			static const std::vector<std::pair<const char*, std::vector<const char*>>> Table = {
				{"editanywhere", {"CPF_Edit"}},
				{"editdefaultsonly", {"CPF_Edit", "CPF_DisableEditOnInstance"}},
				{"editinstanceonly", {"CPF_Edit", "CPF_DisableEditOnTemplate"}},
				{"visibleanywhere", {"CPF_Edit", "CPF_EditConst"}},
				{"visibledefaultsonly", {"CPF_Edit", "CPF_EditConst", "CPF_DisableEditOnInstance"}},
				{"visibleinstanceonly", {"CPF_Edit", "CPF_EditConst", "CPF_DisableEditOnTemplate"}},
				{"blueprintreadwrite", {"CPF_BlueprintVisible"}},
				{"blueprintreadonly", {"CPF_BlueprintVisible", "CPF_BlueprintReadOnly"}},
				{"transient", {"CPF_Transient"}},
				{"duplicatetransient", {"CPF_DuplicateTransient"}},
				{"nonpieduplicatetransient", {"CPF_NonPIEDuplicateTransient"}},
				{"config", {"CPF_Config"}},
				{"globalconfig", {"CPF_GlobalConfig", "CPF_Config"}},
				{"savegame", {"CPF_SaveGame"}},
				{"advanceddisplay", {"CPF_AdvancedDisplay"}},
				{"simpledisplay", {"CPF_SimpleDisplay"}},
				{"editfixedsize", {"CPF_EditFixedSize"}},
				{"noclear", {"CPF_NoClear"}},
				{"interp", {"CPF_Edit", "CPF_BlueprintVisible", "CPF_Interp"}},
				{"instanced", {"CPF_PersistentInstance", "CPF_ExportObject", "CPF_InstancedReference"}},
				{"export", {"CPF_ExportObject"}},
				{"blueprintassignable", {"CPF_BlueprintAssignable"}},
				{"blueprintcallable", {"CPF_BlueprintCallable"}},
				{"blueprintauthorityonly", {"CPF_BlueprintAuthorityOnly"}},
				{"assetregistrysearchable", {"CPF_AssetRegistrySearchable"}},
				{"nontransactional", {"CPF_NonTransactional"}},
				{"textexporttransient", {"CPF_TextExportTransient"}},
			};
			auto It = std::find_if(Table.begin(), Table.end(), [&](const auto& E) { return K == E.first; });
			if (It != Table.end())
			{
				NoValue(S, "UPROPERTY");
				for (const char* Fl : It->second)
					AddFlags(P.Flags, {Fl});
				if ((K.rfind("edit", 0) == 0 && K != "editfixedsize") || K.rfind("visible", 0) == 0)
					++EditSpecs;
				ReadWrite = ReadWrite || K == "blueprintreadwrite";
				ReadOnly = ReadOnly || K == "blueprintreadonly";
				if (K == "instanced")
					SetMeta(P.Meta, "EditInline", "true");
			}
			else if (K == "category")
				SetMeta(P.Meta, "Category", NeedValue(S, "UPROPERTY"));
			else if (K == "meta")
				ApplyMeta(S, P.Meta);
			else if (K == "displayname")
				Fail(S.Line, "DisplayName must be given inside meta=(...)");
			else
				Fail(S.Line, "unknown UPROPERTY specifier '" + S.Key + "'");
		}
		if (EditSpecs > 1)
			Fail(Macro.Line, "more than one Edit/Visible specifier on one UPROPERTY");
		if (ReadWrite && ReadOnly)
			Fail(Macro.Line, "BlueprintReadWrite and BlueprintReadOnly are mutually exclusive");
		if (Macro.WithEditor && !Macro.EditorOnlyData)
			Fail(Macro.Line, "UPROPERTY inside #if WITH_EDITOR; use #if WITH_EDITORONLY_DATA");
		ApplyDoc(Macro, T[I], P.Meta);

		// Declaration: [mutable] Type Name [: 1] [= init | {init}] ;
		size_t B = I;
		size_t End = B;
		while (!T[End].Is(";"))
		{
			if (End >= BodyEnd)
				Fail(T[B].Line, "expected ';' after the UPROPERTY declaration");
			End = (T[End].Is("(") || T[End].Is("[") || T[End].Is("{")) ? Close(End) + 1 : End + 1;
		}
		size_t K = B;
		while (T[K].Is("mutable"))
			++K;
		if (T[K].Is("static"))
			Fail(T[K].Line, "static UPROPERTY is not supported");
		if (T[K].Kind == TokKind::Ident && IsUMacro(T[K].Text))
			Fail(T[K].Line, "expected a member declaration after UPROPERTY(...), found " + Describe(T[K]));
		P.Type = ParseTypeRef(K, End);
		if (P.Type.Ref)
			Fail(T[B].Line, "a reference member cannot be a UPROPERTY");
		if (K >= End || T[K].Kind != TokKind::Ident)
			Fail(T[std::min(K, End)].Line, "expected a member name, found " + Describe(T[std::min(K, End)]));
		P.Name = T[K].Text;
		P.Line = T[K].Line;
		++K;
		if (K < End && T[K].Is(":"))
		{
			if (K + 1 >= End || !T[K + 1].Is("1"))
				Fail(T[K].Line, "only one-bit bitfields are supported");
			P.BitWidth = 1;
			K += 2;
		}
		if (K < End)
		{
			if (T[K].Is("["))
				Fail(T[K].Line, "static arrays are not supported");
			if (T[K].Is("("))
				Fail(T[K].Line, "UPROPERTY must be on a member variable, not a function");
			if (T[K].Is(","))
				Fail(T[K].Line, "declare one member per UPROPERTY");
			if (T[K].Is("{"))
			{
				if (Close(K) + 1 != End)
					Fail(T[K].Line, "unexpected tokens after the initialiser of " + P.Name);
			}
			else if (!T[K].Is("="))
				Fail(T[K].Line, "unexpected " + Describe(T[K]) + " in the declaration of " + P.Name);
		}
		I = End + 1;

		if (Acc == Access::Public)
			AddFlags(P.Flags, {"CPF_NativeAccessSpecifierPublic"});
		else if (Acc == Access::Protected)
			AddFlags(P.Flags, {"CPF_NativeAccessSpecifierProtected", "CPF_Protected"});
		else
			AddFlags(P.Flags, {"CPF_NativeAccessSpecifierPrivate"});
		if (Macro.EditorOnlyData)
			AddFlags(P.Flags, {"CPF_EditorOnly"});
		D.Props.push_back(std::move(P));
	}

	void ParseFunction(StructDecl& D, Access Acc, size_t BodyEnd)
	{
		const Token& Macro = T[I];
		ExpectAt(I + 1, "(", "after UFUNCTION");
		++I;
		std::vector<Spec> Specs = ParseSpecs();
		FunctionDecl Fn;
		std::vector<std::string> SpecFlags;
		bool Callable = false;
		for (const Spec& S : Specs)
		{
			std::string K = Lower(S.Key);
			if (K == "blueprintcallable")
				NoValue(S, "UFUNCTION"), AddFlags(SpecFlags, {"FUNC_BlueprintCallable"}), Callable = true;
			else if (K == "blueprintpure")
				NoValue(S, "UFUNCTION"), AddFlags(SpecFlags, {"FUNC_BlueprintCallable", "FUNC_BlueprintPure"}), Callable = true;
			else if (K == "blueprintimplementableevent")
				NoValue(S, "UFUNCTION"), AddFlags(SpecFlags, {"FUNC_Event", "FUNC_BlueprintEvent"}), Fn.ImplementableEvent = true;
			else if (K == "blueprintnativeevent")
				NoValue(S, "UFUNCTION"), AddFlags(SpecFlags, {"FUNC_Event", "FUNC_BlueprintEvent"}), Fn.NativeEvent = true;
			else if (K == "exec")
				NoValue(S, "UFUNCTION"), AddFlags(SpecFlags, {"FUNC_Exec"});
			else if (K == "blueprintauthorityonly")
				NoValue(S, "UFUNCTION"), AddFlags(SpecFlags, {"FUNC_BlueprintAuthorityOnly"});
			else if (K == "blueprintcosmetic")
				NoValue(S, "UFUNCTION"), AddFlags(SpecFlags, {"FUNC_BlueprintCosmetic"});
			else if (K == "callineditor")
				NoValue(S, "UFUNCTION"), SetMeta(Fn.Meta, "CallInEditor", "true");
			else if (K == "category")
				SetMeta(Fn.Meta, "Category", NeedValue(S, "UFUNCTION"));
			else if (K == "meta")
				ApplyMeta(S, Fn.Meta);
			else if (K == "displayname")
				Fail(S.Line, "DisplayName must be given inside meta=(...)");
			else
				Fail(S.Line, "unknown UFUNCTION specifier '" + S.Key + "'");
		}
		if (Fn.ImplementableEvent && Fn.NativeEvent)
			Fail(Macro.Line, "a function cannot be both BlueprintImplementableEvent and BlueprintNativeEvent");
		ApplyDoc(Macro, T[I], Fn.Meta);

		bool Virtual = false;
		while (true)
		{
			if (T[I].Is("virtual"))
				Virtual = true, ++I;
			else if (T[I].Is("static"))
				Fn.Static = true, ++I;
			else if (T[I].Is("inline") || T[I].Is("FORCEINLINE") || T[I].Is("FORCENOINLINE") || T[I].Is("constexpr")
				|| T[I].Is("UE_NODISCARD") || T[I].Is("explicit"))
				++I;
			else if ((T[I].Is("UE_DEPRECATED") || T[I].Is("UE_DEPRECATED_FORGAME")) && T[I + 1].Is("("))
				I = Close(I + 1) + 1;
			else if (T[I].Is("[") && T[I + 1].Is("["))
				I = Close(I) + 1;
			// A module API macro on a member function of a MinimalAPI class ("ENGINE_API float F()").
			else if (T[I].Kind == TokKind::Ident && T[I + 1].Kind == TokKind::Ident && T[I].Text.size() > 4
				&& T[I].Text.compare(T[I].Text.size() - 4, 4, "_API") == 0)
				++I;
			else
				break;
		}
		if (T[I].Kind == TokKind::Ident && IsUMacro(T[I].Text))
			Fail(T[I].Line, "expected a function declaration after UFUNCTION(...), found " + Describe(T[I]));
		size_t RB = I;
		Fn.Return = ParseTypeRef(I, BodyEnd);
		Fn.ReturnText = Raw(RB, I);
		Fn.ReturnsVoid = Fn.Return.Name == "void" && Fn.Return.Pointers == 0;
		if (T[I].Kind != TokKind::Ident)
			Fail(T[I].Line, "expected a function name, found " + Describe(T[I]));
		Fn.Name = T[I].Text;
		Fn.Line = T[I].Line;
		++I;
		if (!T[I].Is("("))
			Fail(T[I].Line, "UFUNCTION must be on a function declaration (expected '(' after " + Fn.Name + ")");
		size_t PC = Close(I);
		ParseParams(Fn, I + 1, PC);
		D.DeclaredFunctions.push_back(Fn.Name);
		I = PC + 1;
		while (true)
		{
			if (T[I].Is("const"))
				Fn.Const = true, ++I;
			else if (T[I].Is("override") || T[I].Is("final"))
				++I;
			else if (T[I].Is("noexcept"))
				I = T[I + 1].Is("(") ? Close(I + 1) + 1 : I + 1;
			else if (T[I].Is("=") && T[I + 1].Is("0"))
				I += 2;
			else if (T[I].Is("=") && (T[I + 1].Is("default") || T[I + 1].Is("delete")))
				Fail(T[I].Line, "a UFUNCTION cannot be defaulted or deleted");
			else if (T[I].Is("->"))
				Fail(T[I].Line, "trailing return types are not supported on UFUNCTIONs");
			else
				break;
		}
		if (T[I].Is(";"))
			++I;
		else if (T[I].Is("{"))
		{
			if (Fn.ImplementableEvent || Fn.NativeEvent)
				Fail(T[I].Line, "a Blueprint event's body is generated; define " + (Fn.NativeEvent ? Fn.Name + "_Implementation" : std::string("nothing")) + " instead");
			size_t C = Close(I);
			CheckNoUMacros(I, C);
			I = C + 1;
			if (T[I].Is(";"))
				++I;
		}
		else
			Fail(T[I].Line, "unexpected " + Describe(T[I]) + " after the declaration of " + Fn.Name);
		(void)Virtual;

		if ((Fn.ImplementableEvent || Fn.NativeEvent) && Fn.Static)
			Fail(Fn.Line, "a Blueprint event cannot be static");
		if ((Fn.ImplementableEvent || Fn.NativeEvent) && Fn.Return.Ref)
			Fail(Fn.Line, "a Blueprint event cannot return a reference");

		Fn.Flags = {"FUNC_Native"};
		AddFlags(Fn.Flags, {Acc == Access::Public ? "FUNC_Public" : Acc == Access::Protected ? "FUNC_Protected" : "FUNC_Private"});
		for (const std::string& Fl : SpecFlags)
			AddFlags(Fn.Flags, {Fl.c_str()});
		if (Fn.Const)
			AddFlags(Fn.Flags, {"FUNC_Const"});
		if (Fn.Static)
			AddFlags(Fn.Flags, {"FUNC_Static"});
		bool Out = !Fn.ReturnsVoid;
		for (const ParamDecl& P : Fn.Params)
			Out = Out || (P.Type.Ref && !P.Type.Const);
		if (Out)
			AddFlags(Fn.Flags, {"FUNC_HasOutParms"});
		(void)Callable;
		D.Funcs.push_back(std::move(Fn));
	}

	void ParseParams(FunctionDecl& Fn, size_t B, size_t E)
	{
		if (B == E || (E == B + 1 && T[B].Is("void")))
			return;
		std::set<std::string> Seen;
		for (auto [PB, PE] : Split(B, E, true))
		{
			if (PB == PE)
				Fail(T[PB].Line, "empty parameter in " + Fn.Name);
			ParamDecl P;
			size_t K = PB;
			if (T[K].Is("UPARAM"))
			{
				if (!T[K + 1].Is("("))
					Fail(T[K].Line, "expected '(' after UPARAM");
				size_t C = Close(K + 1);
				for (const Spec& S : ParseSpecItems(K + 2, C, false))
				{
					std::string L = Lower(S.Key);
					if (L == "ref")
						P.UParamRef = true;
					else if (L != "displayname")
						Fail(S.Line, "unknown UPARAM specifier '" + S.Key + "'");
				}
				K = C + 1;
			}
			size_t TB = K;
			P.Type = ParseTypeRef(K, PE);
			P.TypeText = Raw(TB, K);
			if (K >= PE || T[K].Kind != TokKind::Ident)
				Fail(T[std::min(K, PE)].Line, "UFUNCTION parameters must be named (in " + Fn.Name + ")");
			P.Name = T[K].Text;
			P.Line = T[K].Line;
			++K;
			if (K < PE && !T[K].Is("="))
				Fail(T[K].Line, "unexpected " + Describe(T[K]) + " in parameter " + P.Name + " of " + Fn.Name);
			if (P.Name == "ReturnValue")
				Fail(P.Line, "a parameter cannot be named ReturnValue");
			if (!Seen.insert(P.Name).second)
				Fail(P.Line, "duplicate parameter " + P.Name);
			Fn.Params.push_back(std::move(P));
		}
	}
};

} // namespace

void ParseHeader(const LexedFile& File, HeaderModel& Model)
{
	Parser P(File, Model);
	P.Run();
}

} // namespace zht
