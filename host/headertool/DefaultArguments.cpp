// Reading function parameter defaults in the forms the engine's header tool accepts.
#include "DefaultArguments.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

namespace
{
class FDefaultReader
{
public:
	FDefaultReader(const std::vector<FToken>& InTokens, size_t InBegin, size_t InEnd)
		: Tokens(InTokens), Pos(InBegin), End(InEnd)
	{
	}

	bool AtEnd() const { return Pos >= End; }

	bool TakeSymbol(const char* Symbol) { return Take(ETokenType::Symbol, Symbol); }
	bool TakeIdentifier(const char* Identifier) { return Take(ETokenType::Identifier, Identifier); }

	const FToken* TakeAny(ETokenType Type) { return !AtEnd() && Tokens[Pos].Type == Type ? &Tokens[Pos++] : nullptr; }

	// "x", TEXT("x"), or with TypeName: TypeName(), TypeName("x"), TypeName(TEXT("x")).
	std::optional<std::string> ReadString(const char* TypeName)
	{
		if (TypeName != nullptr && TakeIdentifier(TypeName))
		{
			if (!TakeSymbol("("))
			{
				return std::nullopt;
			}
			if (TakeSymbol(")"))
			{
				return std::string();
			}
			const std::optional<std::string> Value = ReadString(nullptr);
			return Value && TakeSymbol(")") ? Value : std::nullopt;
		}
		if (TakeIdentifier("TEXT"))
		{
			const FToken* Literal = TakeSymbol("(") ? TakeAny(ETokenType::String) : nullptr;
			return Literal != nullptr && TakeSymbol(")") ? std::optional<std::string>(Literal->Text) : std::nullopt;
		}
		const FToken* Literal = TakeAny(ETokenType::String);
		return Literal != nullptr ? std::optional<std::string>(Literal->Text) : std::nullopt;
	}

	// [+|-] number; integers in decimal or hexadecimal, with any u/l suffix.
	std::optional<std::string> ReadNumber(bool bInteger)
	{
		const bool bNegative = TakeSymbol("-");
		if (!bNegative)
		{
			TakeSymbol("+");
		}
		const FToken* Number = TakeAny(ETokenType::Number);
		if (Number == nullptr)
		{
			return std::nullopt;
		}
		std::string Text = Number->Text;
		if (bInteger)
		{
			while (!Text.empty() && std::strchr("uUlL", Text.back()) != nullptr)
			{
				Text.pop_back();
			}
			const bool bHex = Text.size() > 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X');
			const std::string Digits = bHex ? Text.substr(2) : Text;
			const char* Allowed = bHex ? "0123456789abcdefABCDEF" : "0123456789";
			if (Digits.empty() || Digits.find_first_not_of(Allowed) != std::string::npos)
			{
				return std::nullopt;
			}
			const unsigned long long Value = std::strtoull(Digits.c_str(), nullptr, bHex ? 16 : 10);
			return (bNegative && Value != 0 ? "-" : "") + std::to_string(Value);
		}
		if (!Text.empty() && (Text.back() == 'f' || Text.back() == 'F'))
		{
			Text.pop_back();
		}
		char* Rest = nullptr;
		const double Value = std::strtod(Text.c_str(), &Rest);
		if (Text.empty() || *Rest != '\0')
		{
			return std::nullopt;
		}
		char Formatted[64];
		std::snprintf(Formatted, sizeof(Formatted), "%.6f", bNegative ? -Value : Value);
		return std::string(Formatted);
	}

	// E::Value or Value.
	std::optional<std::string> ReadEnumerator()
	{
		const FToken* Name = TakeAny(ETokenType::Identifier);
		if (Name != nullptr && TakeSymbol("::"))
		{
			Name = TakeAny(ETokenType::Identifier);
		}
		return Name != nullptr ? std::optional<std::string>(Name->Text) : std::nullopt;
	}

private:
	bool Take(ETokenType Type, const char* Text)
	{
		if (!AtEnd() && Tokens[Pos].Is(Type, Text))
		{
			++Pos;
			return true;
		}
		return false;
	}

	const std::vector<FToken>& Tokens;
	size_t Pos;
	size_t End;
};

bool IsEnumType(const std::string& Type)
{
	return Type.compare(0, 12, "TEnumAsByte<") == 0 ||
		(Type.size() > 1 && Type[0] == 'E' && std::isupper(static_cast<unsigned char>(Type[1])) &&
			Type.find_first_of("<*&") == std::string::npos);
}

bool IsObjectReference(const std::string& Type)
{
	return (!Type.empty() && Type.back() == '*') || Type.compare(0, 11, "TObjectPtr<") == 0;
}
} // namespace

std::optional<std::string> FormatDefaultArgument(
	const std::string& Type, const std::vector<FToken>& Tokens, size_t Begin, size_t End)
{
	static const std::set<std::string> Integers = {
		"int8", "int16", "int32", "int64", "uint8", "uint16", "uint32", "uint64", "int"};
	FDefaultReader Reader(Tokens, Begin, End);
	std::optional<std::string> Value;
	if (Type == "bool")
	{
		Value = Reader.TakeIdentifier("true") ? "true" : (Reader.TakeIdentifier("false") ? "false" : Value);
	}
	else if (Integers.count(Type) != 0)
	{
		Value = Reader.ReadNumber(true);
	}
	else if (Type == "float" || Type == "double")
	{
		Value = Reader.ReadNumber(false);
	}
	else if (Type == "FName")
	{
		Value = Reader.TakeIdentifier("NAME_None") ? std::optional<std::string>("None") : Reader.ReadString("FName");
	}
	else if (Type == "FString")
	{
		Value = Reader.ReadString("FString");
	}
	else if (IsEnumType(Type))
	{
		Value = Reader.ReadEnumerator();
	}
	else if (IsObjectReference(Type))
	{
		const FToken* Zero = nullptr;
		if (Reader.TakeIdentifier("nullptr") || Reader.TakeIdentifier("NULL") ||
			((Zero = Reader.TakeAny(ETokenType::Number)) != nullptr && Zero->Text == "0"))
		{
			Value = "None";
		}
	}
	return Value && Reader.AtEnd() ? Value : std::nullopt;
}
