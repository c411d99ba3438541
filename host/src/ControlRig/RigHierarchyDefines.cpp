// Names of element and control types, as the enumerators are spelled.
#include "Rigs/RigHierarchyDefines.h"

const TCHAR* LexToString(ERigElementType InType)
{
	switch (InType)
	{
		case ERigElementType::Bone:
			return TEXT("Bone");
		case ERigElementType::Null:
			return TEXT("Null");
		case ERigElementType::Control:
			return TEXT("Control");
		case ERigElementType::Curve:
			return TEXT("Curve");
		case ERigElementType::Reference:
			return TEXT("Reference");
		case ERigElementType::Connector:
			return TEXT("Connector");
		case ERigElementType::Socket:
			return TEXT("Socket");
		case ERigElementType::All:
			return TEXT("All");
		default:
			return TEXT("None");
	}
}

const TCHAR* LexToString(ERigControlType InType)
{
	switch (InType)
	{
		case ERigControlType::Bool:
			return TEXT("Bool");
		case ERigControlType::Float:
			return TEXT("Float");
		case ERigControlType::Integer:
			return TEXT("Integer");
		case ERigControlType::Vector2D:
			return TEXT("Vector2D");
		case ERigControlType::Position:
			return TEXT("Position");
		case ERigControlType::Scale:
			return TEXT("Scale");
		case ERigControlType::Rotator:
			return TEXT("Rotator");
		case ERigControlType::Transform:
			return TEXT("Transform");
		case ERigControlType::TransformNoScale:
			return TEXT("TransformNoScale");
		case ERigControlType::EulerTransform:
			return TEXT("EulerTransform");
		case ERigControlType::ScaleFloat:
			return TEXT("ScaleFloat");
	}
	return TEXT("Unknown");
}

const TCHAR* LexToString(ERigControlAnimationType InType)
{
	switch (InType)
	{
		case ERigControlAnimationType::AnimationControl:
			return TEXT("AnimationControl");
		case ERigControlAnimationType::AnimationChannel:
			return TEXT("AnimationChannel");
		case ERigControlAnimationType::ProxyControl:
			return TEXT("ProxyControl");
		case ERigControlAnimationType::VisualCue:
			return TEXT("VisualCue");
	}
	return TEXT("Unknown");
}
