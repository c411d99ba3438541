// Whole-or-nothing output files: a temporary file beside the target, then a rename (without --force, one that
// fails rather than replace a file).
#include "QVRig/OutputFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
FString DescribeErrno(int InError)
{
	return FString(std::strerror(InError));
}

std::filesystem::path FolderOf(const std::filesystem::path& InPath)
{
	return InPath.has_parent_path() ? InPath.parent_path() : std::filesystem::path(".");
}

// A name beside InPath that no other writer of this process or another picks: the process id and a counter.
std::filesystem::path TemporaryPath(const std::filesystem::path& InPath, int32 InAttempt)
{
	static std::atomic<uint32> Counter{0};
	const std::string Name = "." + InPath.filename().string() + "." + std::to_string(getpid()) + "." +
		std::to_string(Counter++) + "." + std::to_string(InAttempt) + ".tmp";
	return FolderOf(InPath) / Name;
}

// Moves InFrom to InTo unless something exists at InTo. Filesystems without the no-replace rename get a hard link,
// which fails the same way, and the temporary name is then removed.
bool MoveWithoutReplacing(const std::filesystem::path& InFrom, const std::filesystem::path& InTo)
{
	if (::renameat2(AT_FDCWD, InFrom.c_str(), AT_FDCWD, InTo.c_str(), RENAME_NOREPLACE) == 0)
	{
		return true;
	}
	if (errno != EINVAL && errno != ENOSYS)
	{
		return false;
	}
	if (::link(InFrom.c_str(), InTo.c_str()) != 0)
	{
		return false;
	}
	::unlink(InFrom.c_str());
	return true;
}

bool WriteAll(int InFile, const std::string& InBytes)
{
	size_t Written = 0;
	while (Written < InBytes.size())
	{
		const ssize_t Count = ::write(InFile, InBytes.data() + Written, InBytes.size() - Written);
		if (Count < 0 && errno == EINTR)
		{
			continue;
		}
		if (Count <= 0)
		{
			return false;
		}
		Written += static_cast<size_t>(Count);
	}
	return true;
}
} // namespace

TOptional<FString> FQVOutputFile::Check(const FString& InPath, bool bInForce, TConstArrayView<FString> InInputs)
{
	const std::filesystem::path Path(*InPath);
	std::error_code Error;
	if (InPath.IsEmpty())
	{
		return FString(TEXT("is not a file name"));
	}
	const std::filesystem::file_status FolderStatus = std::filesystem::status(FolderOf(Path), Error);
	if (!std::filesystem::is_directory(FolderStatus))
	{
		return FString::Printf(
			TEXT("cannot be written: the folder %s does not exist"), FolderOf(Path).string().c_str());
	}
	const std::filesystem::file_status Status = std::filesystem::status(Path, Error);
	if (std::filesystem::is_directory(Status))
	{
		return FString(TEXT("is a folder"));
	}
	if (std::filesystem::exists(Status))
	{
		for (const FString& Input : InInputs)
		{
			if (std::filesystem::equivalent(Path, std::filesystem::path(*Input), Error))
			{
				return FString::Printf(TEXT("is the input %s, which qvrig never overwrites"), *Input);
			}
		}
		if (!bInForce)
		{
			return FString(TEXT("already exists; pass --force to replace it"));
		}
	}
	return TOptional<FString>();
}

TOptional<FString> FQVOutputFile::Write(const FString& InPath, const std::string& InBytes, bool bInForce)
{
	const std::filesystem::path Path(*InPath);
	std::filesystem::path Temporary;
	int File = -1;
	for (int32 Attempt = 0; File < 0 && Attempt < 100; ++Attempt)
	{
		Temporary = TemporaryPath(Path, Attempt);
		// Created new, with the permissions a new file gets (0666 less the umask).
		File = ::open(Temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
		if (File < 0 && errno != EEXIST)
		{
			return FString::Printf(TEXT("cannot be written: %s"), *DescribeErrno(errno));
		}
	}
	if (File < 0)
	{
		return FString(TEXT("cannot be written: no free temporary name beside it"));
	}

	const bool bWritten = WriteAll(File, InBytes) && ::fsync(File) == 0;
	const int WriteError = errno;
	const bool bClosed = ::close(File) == 0;
	if (!bWritten || !bClosed)
	{
		::unlink(Temporary.c_str());
		return FString::Printf(TEXT("cannot be written: %s"), *DescribeErrno(bWritten ? errno : WriteError));
	}

	// Without --force, a file that appeared since the check survives.
	const bool bMoved =
		bInForce ? ::rename(Temporary.c_str(), Path.c_str()) == 0 : MoveWithoutReplacing(Temporary, Path);
	const int MoveError = errno;
	if (!bMoved)
	{
		::unlink(Temporary.c_str());
		return MoveError == EEXIST ? FString(TEXT("already exists; pass --force to replace it"))
								   : FString::Printf(TEXT("cannot be written: %s"), *DescribeErrno(MoveError));
	}
	return TOptional<FString>();
}
