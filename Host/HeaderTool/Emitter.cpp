#include "Emitter.h"

#include "Lexer.h"

#include <cctype>
#include <set>

namespace zht
{
namespace
{

// Structs whose reflection the runtime provides by hand.
const char* const CoreStructs[] = {"FVector", "FVector2D", "FVector4", "FRotator", "FQuat", "FTransform",
	"FLinearColor", "FColor", "FGuid", "FIntPoint", "FBox", "FVector3f"};

// Contents of a u"" literal holding S (UTF-8 passes through; the compiler converts it).
std::string Escape(const std::string& S)
{
	std::string Out;
	for (char C : S)
	{
		unsigned char U = static_cast<unsigned char>(C);
		if (C == '\\')
			Out += "\\\\";
		else if (C == '"')
			Out += "\\\"";
		else if (C == '\n')
			Out += "\\n";
		else if (C == '\r')
			Out += "\\r";
		else if (C == '\t')
			Out += "\\t";
		else if (U < 0x20 || U == 0x7F)
		{
			const char* Oct = "01234567";
			Out += '\\';
			Out += Oct[(U >> 6) & 7];
			Out += Oct[(U >> 3) & 7];
			Out += Oct[U & 7];
		}
		else
			Out += C;
	}
	return Out;
}

std::string Text(const std::string& S) { return "TEXT(\"" + Escape(S) + "\")"; }

std::string Joined(const std::vector<std::string>& Flags)
{
	std::string Out;
	for (const std::string& F : Flags)
		Out += (Out.empty() ? "" : " | ") + F;
	return Out;
}

// Casting keeps the expression valid whether or not the runtime overloads | for the flag enum.
std::string FlagExpr(const char* EnumType, const std::vector<std::string>& Flags)
{
	return std::string("(") + EnumType + ")(" + Joined(Flags) + ")";
}

std::string Upper(std::string S)
{
	for (char& C : S)
		C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
	return S;
}

std::string FileName(const std::string& Path)
{
	size_t K = Path.find_last_of('/');
	return K == std::string::npos ? Path : Path.substr(K + 1);
}

struct Ctor
{
	std::string Class;
	std::string Tail; // arguments after the offset, with a leading ", "
};

class HeaderEmitter
{
public:
	HeaderEmitter(const HeaderModel& InH, const TypeRegistry& InR) : H(InH), R(InR) {}

	GeneratedFiles Run()
	{
		GeneratedFiles G;
		G.Header = GeneratedHeader();
		G.Cpp = GeneratedCpp();
		return G;
	}

private:
	const HeaderModel& H;
	const TypeRegistry& R;
	std::vector<std::string> Externs;
	std::set<std::string> UsedNames;
	std::set<std::string> Defined;

	[[noreturn]] void Fail(int Line, const std::string& Msg) const { throw ToolError(H.ArgPath, Line, Msg); }

	std::string ModuleApi() const { return Upper(H.Module) + "_API"; }

	void Use(const std::string& Decl, const std::string& Name)
	{
		if (UsedNames.insert(Name).second)
			Externs.push_back(Decl);
	}

	std::string ClassRef(const std::string& Name, int Line)
	{
		const RegisteredType* T = R.Find(Name);
		if (!T || T->Kind != RegisteredType::KClass)
			Fail(Line, "'" + Name + "' is not a UCLASS known to the header tool");
		std::string Fn = "Z_Construct_UClass_" + Name + "_NoRegister";
		Use("UClass* " + Fn + "();", Fn);
		return Fn + "()";
	}

	std::string StructRef(const std::string& Name)
	{
		std::string Fn = "Z_Construct_UScriptStruct_" + Name;
		Use("UScriptStruct* " + Fn + "();", Fn);
		return Fn + "()";
	}

	std::string EnumRef(const std::string& Name)
	{
		std::string Fn = "Z_Construct_UEnum_" + Name;
		Use("UEnum* " + Fn + "();", Fn);
		return Fn + "()";
	}

	// Property class and extra constructor arguments for a non-array, non-bitfield type.
	Ctor Scalar(const TypeRef& Ty, int Line)
	{
		const std::string& N = Ty.Name;
		if (Ty.Pointers > 1)
			Fail(Line, "unsupported property type '" + Ty.Cpp() + "' (pointer to pointer)");
		if (Ty.Pointers == 1)
		{
			if (!Ty.Args.empty())
				Fail(Line, "unsupported property type '" + Ty.Cpp() + "'");
			return {"FObjectProperty", ", " + ClassRef(N, Line)};
		}
		static const std::vector<std::pair<const char*, const char*>> Simple = {{"float", "FFloatProperty"},
			{"double", "FDoubleProperty"}, {"int32", "FIntProperty"}, {"int", "FIntProperty"},
			{"int64", "FInt64Property"}, {"uint32", "FUInt32Property"}, {"bool", "FBoolProperty"},
			{"FName", "FNameProperty"}, {"FString", "FStrProperty"}, {"FText", "FTextProperty"}};
		for (const auto& [CppName, Prop] : Simple)
			if (N == CppName && Ty.Args.empty())
				return {Prop, ""};
		if (N == "uint8" && Ty.Args.empty())
			return {"FByteProperty", ", nullptr"};
		static const std::vector<std::pair<const char*, const char*>> ObjectWrappers = {{"TObjectPtr", "FObjectProperty"},
			{"TWeakObjectPtr", "FWeakObjectProperty"}, {"TSoftObjectPtr", "FSoftObjectProperty"},
			{"TSubclassOf", "FClassProperty"}};
		for (const auto& [Wrapper, Prop] : ObjectWrappers)
			if (N == Wrapper)
			{
				if (Ty.Args.size() != 1 || Ty.Args[0].Pointers || !Ty.Args[0].Args.empty())
					Fail(Line, N + " needs one class argument, found '" + Ty.Cpp() + "'");
				return {Prop, ", " + ClassRef(Ty.Args[0].Name, Line)};
			}
		if (N == "TEnumAsByte")
		{
			if (Ty.Args.size() != 1 || Ty.Args[0].Pointers || !Ty.Args[0].Args.empty())
				Fail(Line, "TEnumAsByte needs one enum argument, found '" + Ty.Cpp() + "'");
			std::string E = Ty.Args[0].Name;
			bool Namespaced = E.size() > 6 && E.compare(E.size() - 6, 6, "::Type") == 0;
			if (Namespaced)
				E.resize(E.size() - 6);
			const RegisteredType* T = R.Find(E);
			if (!T || T->Kind != RegisteredType::KEnum)
				Fail(Line, "'" + Ty.Args[0].Name + "' is not a UENUM known to the header tool");
			if (Namespaced != (T->Enum->Form == EnumForm::Namespaced))
				Fail(Line, "TEnumAsByte<" + Ty.Args[0].Name + "> does not match how " + E + " is declared");
			return {"FByteProperty", ", " + EnumRef(E)};
		}
		if (N == "TArray")
			Fail(Line, "nested TArray is not supported");
		if (N.size() > 6 && N.compare(N.size() - 6, 6, "::Type") == 0)
		{
			const RegisteredType* T = R.Find(N.substr(0, N.size() - 6));
			if (T && T->Kind == RegisteredType::KEnum)
				Fail(Line, "namespaced enum '" + N + "' must be wrapped in TEnumAsByte<>");
		}
		const RegisteredType* T = Ty.Args.empty() ? R.Find(N) : nullptr;
		if (T && T->Kind == RegisteredType::KEnum)
		{
			if (T->Enum->Form == EnumForm::Namespaced)
				Fail(Line, "namespaced enum '" + N + "' must be used as TEnumAsByte<" + N + "::Type>");
			if (T->Enum->Form == EnumForm::Regular && T->Enum->Underlying.empty())
				Fail(Line, "enum '" + N + "' has no fixed underlying type; use TEnumAsByte<" + N + ">");
			return {"FEnumProperty", ", " + EnumRef(N) + ", sizeof(" + N + ")"};
		}
		if (T && T->Kind == RegisteredType::KStruct)
			return {"FStructProperty", ", " + StructRef(N)};
		if (T && T->Kind == RegisteredType::KDelegate)
		{
			if (!T->Delegate->Multicast || T->Delegate->Sparse)
				Fail(Line, "unsupported delegate property type '" + N + "' (only dynamic multicast delegates)");
			return {"FMulticastInlineDelegateProperty", ", nullptr"};
		}
		if (T && T->Kind == RegisteredType::KClass)
			Fail(Line, "UCLASS '" + N + "' can only be referenced through a pointer (" + N + "*, TObjectPtr<" + N + ">)");
		Fail(Line, "unsupported property type '" + Ty.Cpp() + "'");
	}

	// Appends the statements constructing one property (and its metadata) to Out.
	void Property(std::string& Out, const char* Owner, const std::string& Name, const TypeRef& Ty, int BitWidth,
		const std::vector<std::string>& Flags, const MetaData& Meta, const std::string& OffsetType,
		const std::string& Statics, int Line)
	{
		std::string FlagsE = FlagExpr("EPropertyFlags", Flags);
		std::string Offset = "STRUCT_OFFSET(" + OffsetType + ", " + Name + ")";
		std::string Head = "new ";
		std::string Body;
		std::string Var = Meta.empty() ? "" : "FProperty* P = ";
		if (BitWidth)
		{
			if (Ty.Pointers || !Ty.Args.empty() || (Ty.Name != "uint8" && Ty.Name != "uint32" && Ty.Name != "bool"))
				Fail(Line, "a one-bit bitfield UPROPERTY must be uint8, uint32 or bool");
			Body = "\t\t" + Var + "new FBoolProperty(" + Owner + ", " + Text(Name) + ", " + FlagsE + ", &" + Statics
				+ "::Get_" + Name + ", &" + Statics + "::Set_" + Name + ", sizeof(" + Ty.Name + "));\n";
		}
		else if (Ty.Name == "TArray" && Ty.Pointers == 0)
		{
			if (Ty.Args.size() != 1)
				Fail(Line, "TArray with an allocator is not supported");
			Ctor Inner = Scalar(Ty.Args[0], Line);
			Var = "FArrayProperty* P = ";
			Body = "\t\t" + Var + "new FArrayProperty(" + Owner + ", " + Text(Name) + ", " + FlagsE + ", " + Offset
				+ ", UECodeGen_Private::TArrayOps<" + Ty.Args[0].Spelling() + ">::Get());\n";
			Body += "\t\tnew " + Inner.Class + "(P, " + Text(Name) + ", (EPropertyFlags)((" + Joined(Flags)
				+ ") & CPF_PropagateToArrayInner), 0" + Inner.Tail + ");\n";
		}
		else
		{
			Ctor C = Scalar(Ty, Line);
			Body = "\t\t" + Var + "new " + C.Class + "(" + Owner + ", " + Text(Name) + ", " + FlagsE + ", " + Offset + C.Tail
				+ ");\n";
		}
		for (const auto& [K, V] : Meta)
			Body += "\t\tP->SetMetaData(" + Text(K) + ", " + Text(V) + ");\n";
		Out += "\t{\n" + Body + "\t}\n";
	}

	static std::string MetaLines(const char* Target, const MetaData& Meta, const std::string& Indent)
	{
		std::string Out;
		for (const auto& [K, V] : Meta)
			Out += Indent + Target + "->SetMetaData(" + Text(K) + ", " + Text(V) + ");\n";
		return Out;
	}

	static std::string BitfieldAccessors(const StructDecl& D)
	{
		std::string Out;
		for (const PropertyDecl& P : D.Props)
			if (P.BitWidth)
			{
				Out += "\tstatic bool Get_" + P.Name + "(const void* C) { return ((const " + D.CppName + "*)C)->" + P.Name + "; }\n";
				Out += "\tstatic void Set_" + P.Name + "(void* C, bool V) { ((" + D.CppName + "*)C)->" + P.Name + " = V; }\n";
			}
		return Out;
	}

	static std::string ParmsName(const StructDecl& D, const FunctionDecl& Fn) { return D.CppName + "_event" + Fn.Name + "_Parms"; }
	static bool HasParms(const FunctionDecl& Fn) { return !Fn.Params.empty() || !Fn.ReturnsVoid; }

	std::string StaticsName(const StructDecl& D) const
	{
		return std::string(D.IsClass ? "Z_Construct_UClass_" : "Z_Construct_UScriptStruct_") + D.CppName + "_Statics";
	}

	// ---- X.generated.h -----------------------------------------------------------------------

	std::string GeneratedHeader()
	{
		std::string Fid = "FID_" + H.Fid;
		std::string Out = "// Generated by ZNHeaderTool from " + H.RelPath + ". Do not edit.\n";
		Out += "#include \"UObject/ObjectMacros.h\"\n#include \"UObject/ScriptMacros.h\"\n";
		Out += "#ifdef " + Fid + "_generated_h\n";
		Out += "#error \"" + H.Stem + ".generated.h already included, missing '#pragma once' in " + FileName(H.RelPath) + "\"\n";
		Out += "#endif\n#define " + Fid + "_generated_h\n";
		for (const StructDecl& D : H.Types)
		{
			Out += "#define " + Fid + "_h_" + std::to_string(D.BodyLine) + "_GENERATED_BODY ";
			if (D.IsClass)
				Out += "HOST_GENERATED_UCLASS_BODY(" + D.CppName + ", " + D.Super + ", " + D.Api + ")\n";
			else if (!D.Super.empty())
				Out += "HOST_GENERATED_USTRUCT_BODY_DERIVED(" + D.CppName + ", " + D.Super + ")\n";
			else
				Out += "HOST_GENERATED_USTRUCT_BODY(" + D.CppName + ")\n";
		}
		for (const StructDecl& D : H.Types)
		{
			std::string Kw = D.ClassKeyword ? "class " : "struct ";
			if (D.IsClass)
				Out += Kw + D.CppName + "; template<> " + ModuleApi() + " UClass* StaticClass<" + D.CppName + ">();\n";
			else
				Out += Kw + D.CppName + "; template<> " + ModuleApi() + " UScriptStruct* StaticStruct<" + D.CppName + ">();\n";
		}
		for (const EnumDecl& E : H.Enums)
			if (HasStaticEnum(E))
				Out += EnumForwardDecl(E) + " template<> " + ModuleApi() + " UEnum* StaticEnum<" + EnumCppType(E) + ">();\n";
		Out += "#undef CURRENT_FILE_ID\n#define CURRENT_FILE_ID " + Fid + "\n";
		return Out;
	}

	static bool HasStaticEnum(const EnumDecl& E) { return E.Form == EnumForm::EnumClass || !E.Underlying.empty(); }

	static std::string EnumCppType(const EnumDecl& E) { return E.Form == EnumForm::Namespaced ? E.Name + "::Type" : E.Name; }

	static std::string EnumForwardDecl(const EnumDecl& E)
	{
		std::string Under = E.Underlying.empty() ? "" : " : " + E.Underlying;
		if (E.Form == EnumForm::Namespaced)
			return "namespace " + E.Name + " { enum Type" + Under + "; }";
		return std::string(E.Form == EnumForm::EnumClass ? "enum class " : "enum ") + E.Name + Under + ";";
	}

	// ---- X.gen.cpp ---------------------------------------------------------------------------

	std::string GeneratedCpp()
	{
		for (const EnumDecl& E : H.Enums)
			Defined.insert("Z_Construct_UEnum_" + E.Name);
		for (const StructDecl& D : H.Types)
			Defined.insert(D.IsClass ? "Z_Construct_UClass_" + D.CppName + "_NoRegister" : "Z_Construct_UScriptStruct_" + D.CppName);

		std::string Body;
		for (const EnumDecl& E : H.Enums)
			Body += EnumCode(E);
		for (const StructDecl& D : H.Types)
			Body += D.IsClass ? ClassCode(D) : StructCode(D);
		for (const StructDecl& D : H.Types)
			Body += BuildCode(D);
		for (const StructDecl& D : H.Types)
			Body += EventThunks(D);

		std::string Out = "// Generated by ZNHeaderTool from " + H.RelPath + ". Do not edit.\n";
		Out += "#include \"UObject/GeneratedCppIncludes.h\"\n";
		Out += "#include \"" + Escape(H.AbsPath) + "\"\n";
		Out += "HOST_GENCPP_BEGIN\n";
		for (const std::string& E : Externs)
		{
			std::string Name = E.substr(E.find(' ') + 1);
			Name = Name.substr(0, Name.find('('));
			if (!Defined.count(Name))
				Out += E + "\n";
		}
		Out += Body;
		Out += "HOST_GENCPP_END\n";
		return Out;
	}

	std::string EnumCode(const EnumDecl& E)
	{
		const char* Form = E.Form == EnumForm::EnumClass ? "EnumClass" : E.Form == EnumForm::Namespaced ? "Namespaced" : "Regular";
		std::string Fn = "Z_Construct_UEnum_" + E.Name;
		std::string Out = "UEnum* " + Fn + "()\n{\n\tstatic UEnum* Singleton = nullptr;\n\tif (!Singleton)\n\t{\n";
		Out += "\t\tSingleton = UECodeGen_Private::ConstructUEnum(" + Text(E.Name) + ", UEnum::ECppForm::" + Form + ", {";
		for (size_t K = 0; K < E.Values.size(); ++K)
		{
			const std::string& V = E.Values[K].Name;
			std::string Reflected = E.Form == EnumForm::Regular ? V : E.Name + "::" + V;
			Out += std::string(K ? "," : "") + "\n\t\t\t{ " + Text(Reflected) + ", (int64)" + E.Name + "::" + V + " }";
		}
		Out += " });\n";
		Out += MetaLines("Singleton", E.Meta, "\t\t");
		for (size_t K = 0; K < E.Values.size(); ++K)
			for (const auto& [Key, Value] : E.Values[K].Meta)
				Out += "\t\tSingleton->SetMetaData(" + Text(Key) + ", " + Text(Value) + ", " + std::to_string(K) + ");\n";
		Out += "\t}\n\treturn Singleton;\n}\n";
		if (HasStaticEnum(E))
			Out += "template<> UEnum* StaticEnum<" + EnumCppType(E) + ">() { return " + Fn + "(); }\n";
		Out += "static UECodeGen_Private::FRegisterCompiledInEnum Z_CompiledIn_" + E.Name + "(&" + Fn + ");\n";
		return Out;
	}

	std::string StructCode(const StructDecl& D)
	{
		std::string Statics = StaticsName(D);
		std::string Fn = "Z_Construct_UScriptStruct_" + D.CppName;
		std::string Super = "nullptr";
		if (!D.Super.empty())
		{
			const RegisteredType* T = R.Find(D.Super);
			if (!T || T->Kind != RegisteredType::KStruct)
				Fail(D.Line, "base '" + D.Super + "' of " + D.CppName + " is not a USTRUCT known to the header tool");
			Super = StructRef(D.Super);
		}
		std::vector<std::string> Flags{"STRUCT_Native"};
		Flags.insert(Flags.end(), D.Flags.begin(), D.Flags.end());
		std::string Out = "struct " + Statics + "\n{\n" + BitfieldAccessors(D) + "\tstatic void Build(UScriptStruct* Owner);\n};\n";
		Out += "UScriptStruct* " + Fn + "()\n{\n\tstatic UScriptStruct* Singleton = nullptr;\n\tif (!Singleton)\n\t{\n";
		Out += "\t\tSingleton = UECodeGen_Private::ConstructUScriptStruct<" + D.CppName + ">(" + Text(D.CppName.substr(1)) + ", "
			+ Super + ", " + FlagExpr("EStructFlags", Flags) + ");\n";
		Out += MetaLines("Singleton", D.Meta, "\t\t");
		Out += "\t\t" + Statics + "::Build(Singleton);\n\t\tUECodeGen_Private::FinishStruct(Singleton);\n";
		Out += "\t}\n\treturn Singleton;\n}\n";
		Out += "UScriptStruct* " + D.CppName + "::StaticStruct() { return " + Fn + "(); }\n";
		Out += "template<> UScriptStruct* StaticStruct<" + D.CppName + ">() { return " + Fn + "(); }\n";
		Out += "static UECodeGen_Private::FRegisterCompiledInStruct Z_CompiledIn_" + D.CppName + "(&" + Fn + ");\n";
		return Out;
	}

	std::string ClassCode(const StructDecl& D)
	{
		std::string Statics = StaticsName(D);
		std::string NoReg = "Z_Construct_UClass_" + D.CppName + "_NoRegister";
		const RegisteredType* SuperT = R.Find(D.Super);
		if (!SuperT || SuperT->Kind != RegisteredType::KClass)
			Fail(D.Line, "base '" + D.Super + "' of " + D.CppName + " is not a UCLASS known to the header tool");
		std::string SuperRef = ClassRef(D.Super, D.Line);

		std::string Out = "struct " + Statics + "\n{\n";
		if (!D.Abstract)
			Out += "\tstatic void InternalConstructor(const FObjectInitializer& X) { new ((EInternal*)X.GetObj()) " + D.CppName
				+ (D.ObjectInitializerCtor ? "(X)" : "") + "; }\n";
		Out += BitfieldAccessors(D);
		for (const FunctionDecl& Fn : D.Funcs)
		{
			if (!HasParms(Fn))
				continue;
			Out += "\tstruct " + ParmsName(D, Fn) + "\n\t{\n";
			for (const ParamDecl& P : Fn.Params)
				Out += "\t\t" + P.Type.Cpp() + " " + P.Name + ";\n";
			if (!Fn.ReturnsVoid)
				Out += "\t\t" + Fn.Return.Cpp() + " ReturnValue;\n";
			Out += "\t};\n";
		}
		Out += "\tstatic void Build(UClass* Owner);\n};\n";
		Out += "UClass* " + NoReg + "() { return " + D.CppName + "::StaticClass(); }\n";
		std::vector<std::string> Flags{"CLASS_Native"};
		Flags.insert(Flags.end(), D.Flags.begin(), D.Flags.end());
		Out += "UClass* " + D.CppName + "::GetPrivateStaticClass()\n{\n\tstatic UClass* Singleton = nullptr;\n\tif (!Singleton)\n\t{\n";
		Out += "\t\tSingleton = UECodeGen_Private::ConstructUClass(" + Text(D.CppName.substr(1)) + ", " + SuperRef + ",\n";
		Out += "\t\t\tsizeof(" + D.CppName + "), alignof(" + D.CppName + "), " + FlagExpr("EClassFlags", Flags) + ", "
			+ (D.Abstract ? std::string("nullptr") : "&" + Statics + "::InternalConstructor") + ");\n";
		Out += "\t\tSingleton->ClassAddReferencedObjects = &" + D.CppName + "::AddReferencedObjects;\n";
		Out += MetaLines("Singleton", D.Meta, "\t\t");
		Out += "\t\t" + Statics + "::Build(Singleton);\n\t\tUECodeGen_Private::FinishClass(Singleton);\n";
		Out += "\t}\n\treturn Singleton;\n}\n";
		Out += "template<> UClass* StaticClass<" + D.CppName + ">() { return " + D.CppName + "::StaticClass(); }\n";
		Out += "static UECodeGen_Private::FRegisterCompiledInClass Z_CompiledIn_" + D.CppName + "(&" + NoReg + ");\n";
		return Out;
	}

	std::string BuildCode(const StructDecl& D)
	{
		std::string Statics = StaticsName(D);
		std::string Out = "void " + Statics + "::Build(" + (D.IsClass ? "UClass" : "UScriptStruct") + "* Owner)\n{\n";
		if (D.Props.empty() && D.Funcs.empty())
			Out += "\t(void)Owner;\n";
		for (const PropertyDecl& P : D.Props)
			Property(Out, "Owner", P.Name, P.Type, P.BitWidth, P.Flags, P.Meta, D.CppName, Statics, P.Line);
		for (const FunctionDecl& Fn : D.Funcs)
		{
			std::string Parms = ParmsName(D, Fn);
			std::string Params;
			for (const ParamDecl& P : Fn.Params)
			{
				std::vector<std::string> Flags{"CPF_Parm"};
				if (P.Type.Ref && !P.Type.Const)
					Flags.push_back("CPF_OutParm");
				if (P.Type.Const)
					Flags.push_back("CPF_ConstParm");
				if (P.UParamRef)
					Flags.push_back("CPF_ReferenceParm");
				std::string One;
				Property(One, "F", P.Name, P.Type, 0, Flags, {}, Parms, Statics, P.Line);
				Params += One;
			}
			if (!Fn.ReturnsVoid)
			{
				if (Fn.Return.Ref)
					Fail(Fn.Line, "a UFUNCTION cannot return a reference");
				std::string One;
				Property(One, "F", "ReturnValue", Fn.Return, 0, {"CPF_Parm", "CPF_OutParm", "CPF_ReturnParm"}, {}, Parms, Statics, Fn.Line);
				Params += One;
			}
			bool NeedVar = !Params.empty() || !Fn.Meta.empty();
			Out += "\t{\n\t\t" + std::string(NeedVar ? "UFunction* F = " : "") + "UECodeGen_Private::ConstructUFunction(Owner, "
				+ Text(Fn.Name) + ", " + FlagExpr("EFunctionFlags", Fn.Flags) + ", "
				+ (HasParms(Fn) ? "sizeof(" + Parms + ")" : std::string("0")) + ");\n";
			// Parameter statements are emitted one level deeper.
			for (size_t K = 0; K < Params.size(); ++K)
			{
				if (K == 0 || Params[K - 1] == '\n')
					Out += '\t';
				Out += Params[K];
			}
			Out += MetaLines("F", Fn.Meta, "\t\t");
			Out += "\t}\n";
		}
		Out += "}\n";
		return Out;
	}

	// Blueprint events are declared by the user and defined here: there is no Blueprint VM in the
	// host, so an implementable event does nothing and a native event forwards to _Implementation.
	std::string EventThunks(const StructDecl& D)
	{
		std::string Out;
		for (const FunctionDecl& Fn : D.Funcs)
		{
			if (!Fn.ImplementableEvent && !Fn.NativeEvent)
				continue;
			std::string Sig = Fn.ReturnText + " " + D.CppName + "::" + Fn.Name + "(";
			std::string Args;
			for (size_t K = 0; K < Fn.Params.size(); ++K)
			{
				Sig += (K ? ", " : "") + Fn.Params[K].TypeText + (Fn.NativeEvent ? " " + Fn.Params[K].Name : "");
				Args += (K ? ", " : "") + Fn.Params[K].Name;
			}
			Sig += std::string(")") + (Fn.Const ? " const" : "");
			Out += Sig + "\n{\n";
			if (Fn.NativeEvent)
				Out += std::string("\t") + (Fn.ReturnsVoid ? "" : "return ") + Fn.Name + "_Implementation(" + Args + ");\n";
			else if (!Fn.ReturnsVoid)
				Out += "\treturn {};\n";
			Out += "}\n";
		}
		return Out;
	}
};

} // namespace

TypeRegistry::TypeRegistry()
{
	RegisteredType Obj;
	Obj.Kind = RegisteredType::KClass;
	Types["UObject"] = Obj;
	for (const char* S : CoreStructs)
	{
		RegisteredType T;
		T.Kind = RegisteredType::KStruct;
		Types[S] = T;
	}
}

void TypeRegistry::Insert(const std::string& Name, RegisteredType T, const std::string& File)
{
	auto It = Types.find(Name);
	if (It != Types.end())
	{
		if (!It->second.Header)
			throw ToolError(File, T.Line, "'" + Name + "' is a core type provided by the runtime and cannot be redeclared");
		throw ToolError(File, T.Line, "duplicate type name '" + Name + "' (first declared at " + It->second.Header->ArgPath
			+ ":" + std::to_string(It->second.Line) + ")");
	}
	Types.emplace(Name, T);
}

void TypeRegistry::Add(const HeaderModel& H)
{
	for (const StructDecl& D : H.Types)
	{
		RegisteredType T;
		T.Kind = D.IsClass ? RegisteredType::KClass : RegisteredType::KStruct;
		T.Header = &H;
		T.Struct = &D;
		T.Line = D.Line;
		Insert(D.CppName, T, H.ArgPath);
	}
	for (const EnumDecl& E : H.Enums)
	{
		RegisteredType T;
		T.Kind = RegisteredType::KEnum;
		T.Header = &H;
		T.Enum = &E;
		T.Line = E.Line;
		Insert(E.Name, T, H.ArgPath);
	}
	for (const DelegateDecl& D : H.Delegates)
	{
		RegisteredType T;
		T.Kind = RegisteredType::KDelegate;
		T.Header = &H;
		T.Delegate = &D;
		T.Line = D.Line;
		Insert(D.Name, T, H.ArgPath);
	}
}

const RegisteredType* TypeRegistry::Find(const std::string& Name) const
{
	auto It = Types.find(Name);
	if (It != Types.end())
		return &It->second;
	// Delegates declared inside a class may be named through it (ULM_Foo::FOnChanged).
	size_t K = Name.rfind("::");
	if (K != std::string::npos)
	{
		It = Types.find(Name.substr(K + 2));
		if (It != Types.end() && It->second.Kind == RegisteredType::KDelegate)
			return &It->second;
	}
	return nullptr;
}

GeneratedFiles EmitHeader(const HeaderModel& H, const TypeRegistry& Registry)
{
	HeaderEmitter E(H, Registry);
	return E.Run();
}

} // namespace zht
