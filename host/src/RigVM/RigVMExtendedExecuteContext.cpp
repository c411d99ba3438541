// The extended execute context: owns one instance of its public context struct.
#include "RigVMCore/RigVMExecuteContext.h"

#include <new>

FRigVMExtendedExecuteContext::FRigVMExtendedExecuteContext()
	: FRigVMExtendedExecuteContext(FRigVMExecuteContext::StaticStruct())
{
}

FRigVMExtendedExecuteContext::FRigVMExtendedExecuteContext(const UScriptStruct* InExecuteContextStruct)
{
	Initialize(InExecuteContextStruct);
}

FRigVMExtendedExecuteContext::FRigVMExtendedExecuteContext(const FRigVMExtendedExecuteContext& Other)
	: FRigVMExtendedExecuteContext(Other.PublicDataStruct)
{
	PublicDataStruct->CopyScriptStruct(PublicData, Other.PublicData);
}

FRigVMExtendedExecuteContext& FRigVMExtendedExecuteContext::operator=(const FRigVMExtendedExecuteContext& Other)
{
	if (this != &Other)
	{
		Initialize(Other.PublicDataStruct);
		PublicDataStruct->CopyScriptStruct(PublicData, Other.PublicData);
	}
	return *this;
}

FRigVMExtendedExecuteContext::~FRigVMExtendedExecuteContext()
{
	Release();
}

void FRigVMExtendedExecuteContext::Initialize(const UScriptStruct* InScriptStruct)
{
	checkf(InScriptStruct != nullptr && InScriptStruct->IsChildOf(FRigVMExecuteContext::StaticStruct()),
		TEXT("An execute context must be a RigVMExecuteContext"));
	Release();
	PublicDataStruct = InScriptStruct;
	PublicData = static_cast<uint8*>(::operator new(std::size_t(InScriptStruct->GetStructureSize()),
		std::align_val_t(std::size_t(InScriptStruct->GetMinAlignment()))));
	PublicDataStruct->InitializeStruct(PublicData);
}

void FRigVMExtendedExecuteContext::SetRuntimeSettings(FRigVMRuntimeSettings InRuntimeSettings)
{
	GetPublicData<>().RuntimeSettings = InRuntimeSettings;
	check(GetPublicData<>().RuntimeSettings.MaximumArraySize > 0);
}

void FRigVMExtendedExecuteContext::Release()
{
	if (PublicData != nullptr)
	{
		PublicDataStruct->DestroyStruct(PublicData);
		::operator delete(PublicData, std::align_val_t(std::size_t(PublicDataStruct->GetMinAlignment())));
		PublicData = nullptr;
		PublicDataStruct = nullptr;
	}
}
