// Replacing generated files through temporary files and renames.
#include "GeneratedFileWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::string SystemReason(int Error)
{
	return std::strerror(Error);
}

// Whether Path is a regular file (not a link to one) that already holds Text.
bool HoldsText(const std::filesystem::path& Path, const std::string& Text)
{
	std::error_code Error;
	if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(Path, Error)))
	{
		return false;
	}
	std::ifstream In(Path, std::ios::binary);
	std::ostringstream Current;
	Current << In.rdbuf();
	return In && Current.str() == Text;
}

// Creates a new file beside Path (never opening an existing file or following a link) and writes Text into it.
std::filesystem::path WriteTemporary(const std::filesystem::path& Path, const std::string& Text)
{
	for (int Attempt = 0;; ++Attempt)
	{
		const std::filesystem::path Temporary = Path.parent_path() /
			("." + Path.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(Attempt));
		const int File = ::open(Temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
		if (File < 0 && errno == EEXIST && Attempt < 100)
		{
			continue;
		}
		if (File < 0)
		{
			throw std::runtime_error("cannot write " + Path.string() + ": " + SystemReason(errno));
		}
		size_t Written = 0;
		int Error = 0;
		while (Written < Text.size() && Error == 0)
		{
			const ssize_t Count = ::write(File, Text.data() + Written, Text.size() - Written);
			if (Count > 0)
			{
				Written += size_t(Count);
			}
			else if (Count < 0 && errno != EINTR)
			{
				Error = errno;
			}
		}
		if (::close(File) != 0 && Error == 0)
		{
			Error = errno;
		}
		if (Error != 0)
		{
			::unlink(Temporary.c_str());
			throw std::runtime_error("cannot write " + Path.string() + ": " + SystemReason(Error));
		}
		return Temporary;
	}
}

void RemoveAll(const std::vector<std::filesystem::path>& Temporaries)
{
	for (const std::filesystem::path& Temporary : Temporaries)
	{
		::unlink(Temporary.c_str());
	}
}
} // namespace

void WriteGeneratedFiles(const std::vector<FGeneratedFile>& Files)
{
	std::vector<const FGeneratedFile*> Changed;
	for (const FGeneratedFile& File : Files)
	{
		if (!HoldsText(File.Path, File.Text))
		{
			Changed.push_back(&File);
		}
	}
	std::vector<std::filesystem::path> Temporaries;
	try
	{
		for (const FGeneratedFile* File : Changed)
		{
			// A directory in the way would fail only at the rename, after other files were replaced.
			struct stat Status;
			if (::lstat(File->Path.c_str(), &Status) == 0 && S_ISDIR(Status.st_mode))
			{
				throw std::runtime_error("cannot write " + File->Path.string() + ": " + SystemReason(EISDIR));
			}
			Temporaries.push_back(WriteTemporary(File->Path, File->Text));
		}
	}
	catch (...)
	{
		RemoveAll(Temporaries);
		throw;
	}
	for (size_t Index = 0; Index < Changed.size(); ++Index)
	{
		if (::rename(Temporaries[Index].c_str(), Changed[Index]->Path.c_str()) != 0)
		{
			const int Error = errno;
			RemoveAll(
				std::vector<std::filesystem::path>(Temporaries.begin() + std::ptrdiff_t(Index), Temporaries.end()));
			throw std::runtime_error("cannot replace " + Changed[Index]->Path.string() + ": " + SystemReason(Error));
		}
	}
}
