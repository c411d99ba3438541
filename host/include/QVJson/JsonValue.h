// A JSON value read from a rig file, together with its path in the file, so every check can say where it failed.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonError.h"

#include <initializer_list>
#include <nlohmann/json.hpp>

// Objects keep their members in file order, so messages list keys the way the author wrote them.
using FQVJson = nlohmann::ordered_json;

// A view of one value of a parsed document; the document must outlive it. Every accessor checks the value's shape
// and throws FQVJsonError naming this value's path, what was expected and what was found.
class FQVJsonValue
{
public:
	FQVJsonValue(const FQVJson& InJson, FString InPath);

	const FQVJson& GetJson() const { return *Json; }
	// "elements[3].transform.rotation"; empty for the document itself.
	const FString& GetPath() const { return Path; }

	bool IsObject() const { return Json->is_object(); }
	bool IsArray() const { return Json->is_array(); }
	bool IsString() const { return Json->is_string(); }
	bool IsNull() const { return Json->is_null(); }

	// ---- Objects ----

	// An object whose keys are all among InAllowedKeys (a misspelt key must not pass silently).
	void ExpectObject(std::initializer_list<const TCHAR*> InAllowedKeys) const;
	// An object with any keys, for maps keyed by the author's ids.
	void ExpectAnyObject() const;
	// The member, or unset when it is absent.
	TOptional<FQVJsonValue> Find(const TCHAR* InKey) const;
	// The member, which must be present.
	FQVJsonValue Get(const TCHAR* InKey) const;
	// Members in file order, each with its key.
	TArray<TPair<FString, FQVJsonValue>> GetMembers() const;
	// As GetMembers, for objects keyed by names (pins, fields, asset ids), which compare without regard to case as
	// FNames do: two keys naming the same thing ("HeelRoller" and "heelroller") are an error, as a key given twice is.
	TArray<TPair<FString, FQVJsonValue>> GetNameKeyedMembers() const;

	// ---- Arrays ----

	// An array of InMinNum to InMaxNum items (no upper limit when InMaxNum is negative); InExpected describes the
	// wanted shape for the message, e.g. "[x, y, z]".
	int32 ExpectArray(const TCHAR* InExpected, int32 InMinNum = 0, int32 InMaxNum = -1) const;
	int32 Num() const;
	FQVJsonValue At(int32 InIndex) const;

	// ---- Scalars ----

	// A finite number.
	double AsNumber() const;
	// A finite number within the range of a float, for values stored as floats.
	float AsFloat() const;
	// A whole number within the range of int32.
	int32 AsInt32() const;
	bool AsBool() const;
	FString AsString() const;
	// A non-empty string other than "None" (in any case), the engine's spelling of the empty name.
	FName AsName() const;
	// A string matching one of InChoices without regard to case; returns its index.
	int32 AsChoice(TConstArrayView<FString> InChoices) const;

	// ---- Failing ----

	[[noreturn]] void Fail(const FString& InMessage) const;
	// "expected InExpected, found <description of this value>"
	[[noreturn]] void FailExpected(const FString& InExpected) const;
	// "the string "abc"", "the number 3.5", "an object", "an array of 2 items", "null", "true".
	FString Describe() const;

private:
	const FQVJson* Json = nullptr;
	FString Path;
};

// "'a', 'b' or 'c'" for messages that list the accepted words.
FString QVJoinChoices(TConstArrayView<FString> InChoices, const TCHAR* InLastSeparator = TEXT(" or "));
