// Writing text back as C++ source.
#include "CppText.h"

std::string QuoteCppText(const std::string& Value, char Quote)
{
	std::string Result(1, Quote);
	for (const char C : Value)
	{
		switch (C)
		{
			case '\n':
				Result += "\\n";
				break;
			case '\t':
				Result += "\\t";
				break;
			case '\r':
				Result += "\\r";
				break;
			case '\\':
				Result += "\\\\";
				break;
			default:
				if (C == Quote)
				{
					Result += '\\';
				}
				Result += C;
		}
	}
	return Result + Quote;
}
