// The previewer's CSV as tests read it back: a line split into its fields. The values it prints
// hold no comma, quote or line break, so no field is quoted.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace CsvTesting
{
	inline std::vector<std::string> SplitFields(const std::string& Line)
	{
		std::vector<std::string> Fields;
		std::istringstream Stream(Line);
		for (std::string Field; std::getline(Stream, Field, ',');)
		{
			Fields.push_back(Field);
		}
		return Fields;
	}
}
