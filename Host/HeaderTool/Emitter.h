// Writes X.generated.h and X.gen.cpp text for a parsed header, resolving types across all headers.
#pragma once

#include "Model.h"

#include <map>
#include <string>
#include <vector>

namespace zht
{

struct RegisteredType
{
	enum EKind
	{
		KClass,
		KStruct,
		KEnum,
		KDelegate
	} Kind = KClass;
	const HeaderModel* Header = nullptr; // null for types the runtime provides
	const StructDecl* Struct = nullptr;
	const EnumDecl* Enum = nullptr;
	const DelegateDecl* Delegate = nullptr;
	int Line = 0;
};

// Every reflected type of the run, plus the core ones the runtime defines.
class TypeRegistry
{
public:
	TypeRegistry();
	void Add(const HeaderModel& H); // throws ToolError on duplicate names
	const RegisteredType* Find(const std::string& Name) const;

private:
	std::map<std::string, RegisteredType> Types;
	void Insert(const std::string& Name, RegisteredType T, const std::string& File);
};

struct GeneratedFiles
{
	std::string Header;
	std::string Cpp;
};

GeneratedFiles EmitHeader(const HeaderModel& H, const TypeRegistry& Registry);

} // namespace zht
