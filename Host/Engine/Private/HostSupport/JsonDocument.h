// A small JSON document model: parsed with line and column for errors, written back indented.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace HostJson::Private
{
	struct FJsonValue
	{
		enum class EType : uint8_t
		{
			Null,
			Bool,
			Number,
			String,
			Array,
			Object,
		};

		EType Type = EType::Null;
		bool Bool = false;
		double Number = 0.0;
		/** The number as written, so integers and long decimals reach the importer untouched. */
		std::string NumberText;
		std::string String;
		std::vector<FJsonValue> Array;
		/** Members in the order written: names and values side by side (a value cannot hold pairs of itself). */
		std::vector<std::string> ObjectKeys;
		std::vector<FJsonValue> ObjectValues;

		void AddMember(std::string Name, FJsonValue Value)
		{
			ObjectKeys.push_back(std::move(Name));
			ObjectValues.push_back(std::move(Value));
		}

		const char* TypeName() const;
	};

	/** Parses UTF-8 JSON text; on failure says where ("line 3, column 14: ...") and returns false. */
	bool Parse(const std::string& Text, FJsonValue& OutValue, std::string& OutError);

	/** Writes the value as indented JSON with a final newline. */
	std::string Write(const FJsonValue& Value);
}
