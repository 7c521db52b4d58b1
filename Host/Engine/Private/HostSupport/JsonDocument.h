// JSON text to a document and back, on nlohmann-json, with what the library leaves to its user:
// duplicate member names refused with both places, a byte-order mark named as such, and every
// error placed by line and column.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace HostJson::Private
{
	/** Members keep the order written, so a saved file reads in declaration order. */
	using FJsonValue = nlohmann::ordered_json;

	/** "an object", "a number"...: what a message says was found. */
	const char* TypeName(const FJsonValue& Value);

	/** Parses UTF-8 JSON text; on failure says where ("line 3, column 14: ...") and returns false. */
	bool Parse(const std::string& Text, FJsonValue& OutValue, std::string& OutError);

	/** Writes the value as JSON indented by two spaces, with a final newline. */
	std::string Write(const FJsonValue& Value);
}
