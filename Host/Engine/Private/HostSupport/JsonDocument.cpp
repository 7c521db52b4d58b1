#include "HostSupport/JsonDocument.h"
#include "Logging/HostLogFormat.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace HostJson::Private
{
	const char* FJsonValue::TypeName() const
	{
		switch (Type)
		{
		case EType::Null: return "null";
		case EType::Bool: return "a boolean";
		case EType::Number: return "a number";
		case EType::String: return "a string";
		case EType::Array: return "an array";
		case EType::Object: return "an object";
		}
		return "a value";
	}

	namespace
	{
		class FParser
		{
		public:
			explicit FParser(const std::string& InText)
				: Text(InText)
			{
			}

			bool ParseDocument(FJsonValue& Out)
			{
				SkipSpace();
				if (!ParseValue(Out, 0))
				{
					return false;
				}
				SkipSpace();
				return At >= Text.size() || Fail("unexpected text after the document");
			}

			std::string Error;

		private:
			static constexpr int MaxDepth = 64;

			const std::string& Text;
			size_t At = 0;

			bool Fail(const std::string& Message)
			{
				int Line = 1;
				int Column = 1;
				for (size_t Index = 0; Index < At && Index < Text.size(); ++Index)
				{
					if (Text[Index] == '\n')
					{
						++Line;
						Column = 1;
					}
					else
					{
						++Column;
					}
				}
				Error = "line " + std::to_string(Line) + ", column " + std::to_string(Column) + ": " + Message;
				return false;
			}

			void SkipSpace()
			{
				while (At < Text.size() && (Text[At] == ' ' || Text[At] == '\t' || Text[At] == '\n' || Text[At] == '\r'))
				{
					++At;
				}
			}

			bool Literal(const char* Word)
			{
				const size_t Length = std::char_traits<char>::length(Word);
				if (Text.compare(At, Length, Word) != 0)
				{
					return false;
				}
				At += Length;
				return true;
			}

			bool ParseValue(FJsonValue& Out, int Depth)
			{
				if (Depth > MaxDepth)
				{
					return Fail("nested too deeply");
				}
				if (At >= Text.size())
				{
					return Fail("unexpected end of the document");
				}
				const char C = Text[At];
				if (C == '{')
				{
					return ParseObject(Out, Depth);
				}
				if (C == '[')
				{
					return ParseArray(Out, Depth);
				}
				if (C == '"')
				{
					Out.Type = FJsonValue::EType::String;
					return ParseString(Out.String);
				}
				if (C == '-' || (C >= '0' && C <= '9'))
				{
					return ParseNumber(Out);
				}
				if (Literal("true") || Literal("false"))
				{
					Out.Type = FJsonValue::EType::Bool;
					Out.Bool = Text[At - 1] == 'e' && Text[At - 2] == 'u';
					return true;
				}
				if (Literal("null"))
				{
					Out.Type = FJsonValue::EType::Null;
					return true;
				}
				return Fail(std::string("unexpected '") + C + "'");
			}

			bool ParseObject(FJsonValue& Out, int Depth)
			{
				Out.Type = FJsonValue::EType::Object;
				++At;
				SkipSpace();
				if (At < Text.size() && Text[At] == '}')
				{
					++At;
					return true;
				}
				for (;;)
				{
					SkipSpace();
					if (At >= Text.size() || Text[At] != '"')
					{
						return Fail("expected a member name in double quotes");
					}
					std::string Name;
					if (!ParseString(Name))
					{
						return false;
					}
					SkipSpace();
					if (At >= Text.size() || Text[At] != ':')
					{
						return Fail("expected ':' after the member name");
					}
					++At;
					SkipSpace();
					FJsonValue Member;
					if (!ParseValue(Member, Depth + 1))
					{
						return false;
					}
					Out.AddMember(std::move(Name), std::move(Member));
					SkipSpace();
					if (At < Text.size() && Text[At] == ',')
					{
						++At;
						continue;
					}
					if (At < Text.size() && Text[At] == '}')
					{
						++At;
						return true;
					}
					return Fail("expected ',' or '}'");
				}
			}

			bool ParseArray(FJsonValue& Out, int Depth)
			{
				Out.Type = FJsonValue::EType::Array;
				++At;
				SkipSpace();
				if (At < Text.size() && Text[At] == ']')
				{
					++At;
					return true;
				}
				for (;;)
				{
					SkipSpace();
					FJsonValue Element;
					if (!ParseValue(Element, Depth + 1))
					{
						return false;
					}
					Out.Array.push_back(std::move(Element));
					SkipSpace();
					if (At < Text.size() && Text[At] == ',')
					{
						++At;
						continue;
					}
					if (At < Text.size() && Text[At] == ']')
					{
						++At;
						return true;
					}
					return Fail("expected ',' or ']'");
				}
			}

			bool ParseNumber(FJsonValue& Out)
			{
				const size_t Start = At;
				if (Text[At] == '-')
				{
					++At;
				}
				auto Digits = [this]() {
					const size_t From = At;
					while (At < Text.size() && Text[At] >= '0' && Text[At] <= '9')
					{
						++At;
					}
					return At > From;
				};
				if (!Digits())
				{
					return Fail("expected a digit");
				}
				if (At < Text.size() && Text[At] == '.')
				{
					++At;
					if (!Digits())
					{
						return Fail("expected a digit after '.'");
					}
				}
				if (At < Text.size() && (Text[At] == 'e' || Text[At] == 'E'))
				{
					++At;
					if (At < Text.size() && (Text[At] == '+' || Text[At] == '-'))
					{
						++At;
					}
					if (!Digits())
					{
						return Fail("expected a digit in the exponent");
					}
				}
				Out.Type = FJsonValue::EType::Number;
				Out.NumberText = Text.substr(Start, At - Start);
				Out.Number = std::strtod(Out.NumberText.c_str(), nullptr);
				return true;
			}

			bool ParseHex4(uint32_t& Out)
			{
				if (At + 4 > Text.size())
				{
					return Fail("expected four hexadecimal digits");
				}
				Out = 0;
				for (int Index = 0; Index < 4; ++Index)
				{
					const char C = Text[At++];
					Out <<= 4;
					if (C >= '0' && C <= '9') Out |= static_cast<uint32_t>(C - '0');
					else if (C >= 'a' && C <= 'f') Out |= static_cast<uint32_t>(C - 'a' + 10);
					else if (C >= 'A' && C <= 'F') Out |= static_cast<uint32_t>(C - 'A' + 10);
					else return Fail("expected a hexadecimal digit");
				}
				return true;
			}

			bool ParseString(std::string& Out)
			{
				++At;
				for (;;)
				{
					if (At >= Text.size())
					{
						return Fail("unterminated string");
					}
					const char C = Text[At++];
					if (C == '"')
					{
						return true;
					}
					if (static_cast<unsigned char>(C) < 0x20)
					{
						return Fail("control character in a string");
					}
					if (C != '\\')
					{
						Out.push_back(C);
						continue;
					}
					if (At >= Text.size())
					{
						return Fail("unterminated escape");
					}
					const char E = Text[At++];
					switch (E)
					{
					case '"': Out.push_back('"'); break;
					case '\\': Out.push_back('\\'); break;
					case '/': Out.push_back('/'); break;
					case 'b': Out.push_back('\b'); break;
					case 'f': Out.push_back('\f'); break;
					case 'n': Out.push_back('\n'); break;
					case 'r': Out.push_back('\r'); break;
					case 't': Out.push_back('\t'); break;
					case 'u':
					{
						uint32_t CodePoint = 0;
						if (!ParseHex4(CodePoint))
						{
							return false;
						}
						if (CodePoint >= 0xD800 && CodePoint <= 0xDBFF && Text.compare(At, 2, "\\u") == 0)
						{
							At += 2;
							uint32_t Low = 0;
							if (!ParseHex4(Low))
							{
								return false;
							}
							CodePoint = 0x10000 + ((CodePoint - 0xD800) << 10) + (Low - 0xDC00);
						}
						UE::Logging::Private::AppendCodePointUtf8(Out, CodePoint);
						break;
					}
					default: return Fail(std::string("unknown escape '\\") + E + "'");
					}
				}
			}
		};

		void WriteString(std::string& Out, const std::string& Value)
		{
			Out.push_back('"');
			for (const char C : Value)
			{
				switch (C)
				{
				case '"': Out += "\\\""; break;
				case '\\': Out += "\\\\"; break;
				case '\n': Out += "\\n"; break;
				case '\r': Out += "\\r"; break;
				case '\t': Out += "\\t"; break;
				default:
					if (static_cast<unsigned char>(C) < 0x20)
					{
						char Escape[8];
						std::snprintf(Escape, sizeof(Escape), "\\u%04x", static_cast<unsigned>(C));
						Out += Escape;
					}
					else
					{
						Out.push_back(C);
					}
				}
			}
			Out.push_back('"');
		}

		void WriteValue(std::string& Out, const FJsonValue& Value, int Indent)
		{
			const std::string Pad(static_cast<size_t>(Indent + 1) * 2, ' ');
			const std::string ClosePad(static_cast<size_t>(Indent) * 2, ' ');
			switch (Value.Type)
			{
			case FJsonValue::EType::Null: Out += "null"; break;
			case FJsonValue::EType::Bool: Out += Value.Bool ? "true" : "false"; break;
			case FJsonValue::EType::Number: Out += Value.NumberText; break;
			case FJsonValue::EType::String: WriteString(Out, Value.String); break;
			case FJsonValue::EType::Array:
				if (Value.Array.empty())
				{
					Out += "[]";
					break;
				}
				Out += "[\n";
				for (size_t Index = 0; Index < Value.Array.size(); ++Index)
				{
					Out += Pad;
					WriteValue(Out, Value.Array[Index], Indent + 1);
					Out += Index + 1 < Value.Array.size() ? ",\n" : "\n";
				}
				Out += ClosePad + "]";
				break;
			case FJsonValue::EType::Object:
				if (Value.ObjectKeys.empty())
				{
					Out += "{}";
					break;
				}
				Out += "{\n";
				for (size_t Index = 0; Index < Value.ObjectKeys.size(); ++Index)
				{
					Out += Pad;
					WriteString(Out, Value.ObjectKeys[Index]);
					Out += ": ";
					WriteValue(Out, Value.ObjectValues[Index], Indent + 1);
					Out += Index + 1 < Value.ObjectKeys.size() ? ",\n" : "\n";
				}
				Out += ClosePad + "}";
				break;
			}
		}
	}

	bool Parse(const std::string& Text, FJsonValue& OutValue, std::string& OutError)
	{
		FParser Parser(Text);
		if (!Parser.ParseDocument(OutValue))
		{
			OutError = Parser.Error;
			return false;
		}
		return true;
	}

	std::string Write(const FJsonValue& Value)
	{
		std::string Out;
		WriteValue(Out, Value, 0);
		Out.push_back('\n');
		return Out;
	}
}
