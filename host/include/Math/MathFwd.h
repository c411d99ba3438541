// Forward declarations of the engine's math templates and their float / double aliases.
#pragma once

namespace UE::Math
{
template <typename T> struct TVector;
template <typename T> struct TVector2;
template <typename T> struct TVector4;
template <typename T> struct TPlane;
template <typename T> struct TQuat;
template <typename T> struct TRotator;
template <typename T> struct TMatrix;
template <typename T> struct TTransform;
template <typename T> struct TRotationMatrix;
template <typename T> struct TRotationTranslationMatrix;
template <typename T> struct TQuatRotationMatrix;
template <typename T> struct TQuatRotationTranslationMatrix;
template <typename T> struct TScaleRotationTranslationMatrix;
} // namespace UE::Math

using FVector = UE::Math::TVector<double>;
using FVector3d = UE::Math::TVector<double>;
using FVector3f = UE::Math::TVector<float>;
using FVector2D = UE::Math::TVector2<double>;
using FVector2d = UE::Math::TVector2<double>;
using FVector2f = UE::Math::TVector2<float>;
using FVector4 = UE::Math::TVector4<double>;
using FVector4d = UE::Math::TVector4<double>;
using FVector4f = UE::Math::TVector4<float>;
using FPlane = UE::Math::TPlane<double>;
using FPlane4d = UE::Math::TPlane<double>;
using FPlane4f = UE::Math::TPlane<float>;
using FQuat = UE::Math::TQuat<double>;
using FQuat4d = UE::Math::TQuat<double>;
using FQuat4f = UE::Math::TQuat<float>;
using FRotator = UE::Math::TRotator<double>;
using FRotator3d = UE::Math::TRotator<double>;
using FRotator3f = UE::Math::TRotator<float>;
using FMatrix = UE::Math::TMatrix<double>;
using FMatrix44d = UE::Math::TMatrix<double>;
using FMatrix44f = UE::Math::TMatrix<float>;
using FTransform = UE::Math::TTransform<double>;
using FTransform3d = UE::Math::TTransform<double>;
using FTransform3f = UE::Math::TTransform<float>;
using FRotationMatrix = UE::Math::TRotationMatrix<double>;
using FRotationMatrix44d = UE::Math::TRotationMatrix<double>;
using FRotationMatrix44f = UE::Math::TRotationMatrix<float>;
using FRotationTranslationMatrix = UE::Math::TRotationTranslationMatrix<double>;
using FRotationTranslationMatrix44d = UE::Math::TRotationTranslationMatrix<double>;
using FRotationTranslationMatrix44f = UE::Math::TRotationTranslationMatrix<float>;
using FQuatRotationMatrix = UE::Math::TQuatRotationMatrix<double>;
using FQuatRotationMatrix44d = UE::Math::TQuatRotationMatrix<double>;
using FQuatRotationMatrix44f = UE::Math::TQuatRotationMatrix<float>;
using FQuatRotationTranslationMatrix = UE::Math::TQuatRotationTranslationMatrix<double>;
using FQuatRotationTranslationMatrix44d = UE::Math::TQuatRotationTranslationMatrix<double>;
using FQuatRotationTranslationMatrix44f = UE::Math::TQuatRotationTranslationMatrix<float>;
using FScaleRotationTranslationMatrix = UE::Math::TScaleRotationTranslationMatrix<double>;
using FScaleRotationTranslationMatrix44d = UE::Math::TScaleRotationTranslationMatrix<double>;
using FScaleRotationTranslationMatrix44f = UE::Math::TScaleRotationTranslationMatrix<float>;
