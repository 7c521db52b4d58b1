// The document is built by our own SAX handler rather than the library's DOM parser: that is where
// member names can be checked for repeats, and where the reading position is known (the library
// reports positions only for its own errors).
#include "HostSupport/JsonDocument.h"
#include <iterator>
#include <unordered_map>
#include <vector>

namespace HostJson::Private
{
	const char* TypeName(const FJsonValue& Value)
	{
		switch (Value.type())
		{
		case nlohmann::json::value_t::null: return "null";
		case nlohmann::json::value_t::boolean: return "a boolean";
		case nlohmann::json::value_t::number_integer:
		case nlohmann::json::value_t::number_unsigned:
		case nlohmann::json::value_t::number_float: return "a number";
		case nlohmann::json::value_t::string: return "a string";
		case nlohmann::json::value_t::array: return "an array";
		case nlohmann::json::value_t::object: return "an object";
		default: return "a value";
		}
	}

	namespace
	{
		/** Deeper than any asset; bounds the reflection reader's recursion on hostile input. */
		constexpr size_t MaxDepth = 128;

		/** Reads the text byte by byte for the library and remembers the furthest byte it has read. */
		struct FTrackingIterator
		{
			using iterator_category = std::forward_iterator_tag;
			using value_type = char;
			using difference_type = std::ptrdiff_t;
			using pointer = const char*;
			using reference = const char&;

			const char* At = nullptr;
			const char** Furthest = nullptr;

			reference operator*() const
			{
				*Furthest = At;
				return *At;
			}
			FTrackingIterator& operator++()
			{
				++At;
				return *this;
			}
			FTrackingIterator operator++(int)
			{
				FTrackingIterator Old = *this;
				++At;
				return Old;
			}
			bool operator==(const FTrackingIterator& Other) const { return At == Other.At; }
			bool operator!=(const FTrackingIterator& Other) const { return At != Other.At; }
		};

		std::string Place(const std::string& Text, size_t Offset)
		{
			size_t Line = 1;
			size_t Column = 1;
			for (size_t Index = 0; Index < Offset && Index < Text.size(); ++Index)
			{
				if (Text[Index] == '\n')
				{
					++Line;
					Column = 1;
				}
				else if ((static_cast<unsigned char>(Text[Index]) & 0xC0) != 0x80)
				{
					// Columns count characters, not the bytes of UTF-8 sequences.
					++Column;
				}
			}
			return "line " + std::to_string(Line) + ", column " + std::to_string(Column);
		}

		class FDocumentBuilder : public nlohmann::json_sax<FJsonValue>
		{
		public:
			FDocumentBuilder(const std::string& InText, const char** InFurthest)
				: Text(InText), Furthest(InFurthest)
			{
			}

			FJsonValue Root;
			std::string Error;

			bool null() override { return Add(FJsonValue()); }
			bool boolean(bool Value) override { return Add(FJsonValue(Value)); }
			bool number_integer(number_integer_t Value) override { return Add(FJsonValue(Value)); }
			bool number_unsigned(number_unsigned_t Value) override { return Add(FJsonValue(Value)); }
			bool number_float(number_float_t Value, const string_t&) override { return Add(FJsonValue(Value)); }
			bool string(string_t& Value) override { return Add(FJsonValue(std::move(Value))); }
			bool binary(binary_t&) override { return Fail(Offset(), "binary values are not JSON"); }

			bool start_object(std::size_t) override
			{
				if (!Open(FJsonValue::object()))
				{
					return false;
				}
				Names.emplace_back();
				return true;
			}

			bool key(string_t& Name) override
			{
				// The library has just read the closing quote; the name starts at the matching opening one.
				const size_t End = Offset();
				const size_t Start = NameStart(End);
				const auto [Earlier, bNew] = Names.back().emplace(Name, Start);
				if (!bNew)
				{
					Error = Place(Text, Start) + ": the member \"" + Name + "\" appears twice (first at " + Place(Text, Earlier->second) + ")";
					return false;
				}
				PendingName = std::move(Name);
				return true;
			}

			bool end_object() override
			{
				Names.pop_back();
				Stack.pop_back();
				return true;
			}

			bool start_array(std::size_t) override { return Open(FJsonValue::array()); }

			bool end_array() override
			{
				Stack.pop_back();
				return true;
			}

			bool parse_error(std::size_t Position, const std::string&, const nlohmann::detail::exception& Exception) override
			{
				std::string Message = Exception.what();
				const size_t Bracket = Message.find("] ");
				if (Bracket != std::string::npos)
				{
					Message.erase(0, Bracket + 2);
				}
				const std::string LibraryPlace = "parse error at ";
				if (Message.compare(0, LibraryPlace.size(), LibraryPlace) == 0)
				{
					Error = Message.substr(LibraryPlace.size());
				}
				else
				{
					Error = Place(Text, Position > 0 ? Position - 1 : 0) + ": " + Message;
				}
				return false;
			}

		private:
			const std::string& Text;
			const char** Furthest;
			std::vector<FJsonValue*> Stack;
			/** Per open object, each member name read so far and where it starts. */
			std::vector<std::unordered_map<std::string, size_t>> Names;
			std::string PendingName;

			size_t Offset() const { return *Furthest ? static_cast<size_t>(*Furthest - Text.data()) : 0; }

			size_t NameStart(size_t ClosingQuote) const
			{
				for (size_t Index = ClosingQuote; Index-- > 0;)
				{
					if (Text[Index] != '"')
					{
						continue;
					}
					size_t Backslashes = 0;
					while (Index > Backslashes && Text[Index - 1 - Backslashes] == '\\')
					{
						++Backslashes;
					}
					if (Backslashes % 2 == 0)
					{
						return Index;
					}
				}
				return 0;
			}

			bool Fail(size_t At, const std::string& Message)
			{
				Error = Place(Text, At) + ": " + Message;
				return false;
			}

			/** Puts a value in the object or array being read, or makes it the document. */
			FJsonValue* Insert(FJsonValue&& Value)
			{
				if (Stack.empty())
				{
					Root = std::move(Value);
					return &Root;
				}
				FJsonValue& Parent = *Stack.back();
				if (Parent.is_array())
				{
					Parent.push_back(std::move(Value));
					return &Parent.back();
				}
				// Names are known to be new: append without the map's linear search.
				FJsonValue::object_t& Members = Parent.get_ref<FJsonValue::object_t&>();
				Members.Container::emplace_back(std::move(PendingName), std::move(Value));
				return &Members.back().second;
			}

			bool Add(FJsonValue&& Value)
			{
				Insert(std::move(Value));
				return true;
			}

			bool Open(FJsonValue&& Container)
			{
				if (Stack.size() >= MaxDepth)
				{
					return Fail(Offset(), "nested more than " + std::to_string(MaxDepth) + " levels deep");
				}
				Stack.push_back(Insert(std::move(Container)));
				return true;
			}
		};
	}

	bool Parse(const std::string& Text, FJsonValue& OutValue, std::string& OutError)
	{
		// The library skips a byte-order mark silently and reports a damaged one as a bad token; JSON
		// files are written without one (RFC 8259), so either way the file needs saving again.
		if (Text.size() >= 3 && Text.compare(0, 3, "\xEF\xBB\xBF") == 0)
		{
			OutError = "line 1, column 1: the text starts with a UTF-8 byte-order mark, which JSON files must not have (save it as UTF-8 without BOM)";
			return false;
		}
		if (Text.find_first_not_of(" \t\r\n") == std::string::npos)
		{
			OutError = Text.empty() ? "the text is empty" : "the text holds only white space";
			return false;
		}
		// The library takes a NUL byte for the end of the text and would ignore whatever follows it.
		const size_t Nul = Text.find('\0');
		if (Nul != std::string::npos)
		{
			OutError = Place(Text, Nul) + ": a NUL byte, which JSON text cannot hold";
			return false;
		}
		const char* Furthest = nullptr;
		FDocumentBuilder Builder(Text, &Furthest);
		const FTrackingIterator First{Text.data(), &Furthest};
		const FTrackingIterator Last{Text.data() + Text.size(), &Furthest};
		if (!FJsonValue::sax_parse(First, Last, &Builder, nlohmann::detail::input_format_t::json, true, false))
		{
			OutError = Builder.Error.empty() ? std::string("the text is not JSON") : Builder.Error;
			return false;
		}
		OutValue = std::move(Builder.Root);
		return true;
	}

	std::string Write(const FJsonValue& Value)
	{
		return Value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
	}
}
