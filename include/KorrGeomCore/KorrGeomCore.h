#pragma once

// The whole public interface of KorrGeomCore.

#include <KorrGeomCore/KorrGeomCoreVersion.h>

#include <KorrGeomCore/Platform/AxisAlignedBox.h>
#include <KorrGeomCore/Platform/KColor.h>
#include <KorrGeomCore/Platform/KProgressIndicator.h>
#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/Platform/KcAssert.h>
#include <KorrGeomCore/Platform/Math.h>
#include <KorrGeomCore/Platform/Matrix3.h>
#include <KorrGeomCore/Platform/Matrix4.h>
#include <KorrGeomCore/Platform/Quaternion.h>
#include <KorrGeomCore/Platform/Radian.h>
#include <KorrGeomCore/Platform/Vector2.h>
#include <KorrGeomCore/Platform/Vector3.h>

#include <KorrGeomCore/TopoShape/KBrepTools.h>
#include <KorrGeomCore/TopoShape/KBrepToolsEx.h>
#include <KorrGeomCore/TopoShape/KAssemblyChild.h>
#include <KorrGeomCore/TopoShape/KCurveTools.h>
#include <KorrGeomCore/TopoShape/KFeatureTools.h>
#include <KorrGeomCore/TopoShape/KPipeShellParam.h>
#include <KorrGeomCore/TopoShape/KShapeAttributes.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <KorrGeomCore/TopoExplor/KAssemblyExplor.h>
#include <KorrGeomCore/TopoExplor/KShapeMesh.h>
#include <KorrGeomCore/TopoExplor/KShapeMesher.h>
#include <KorrGeomCore/TopoExplor/KTopoEdgeExplor.h>
#include <KorrGeomCore/TopoExplor/KTopoFaceExplor.h>
#include <KorrGeomCore/TopoExplor/KTopoVertexExplor.h>

#include <KorrGeomCore/Service/KBrepFileService.h>
#include <KorrGeomCore/Service/KBrepFileServiceManager.h>
#include <KorrGeomCore/Service/KNativeBrepFileService.h>
#include <KorrGeomCore/Service/TObjectPtrManager.h>
#include <KorrGeomCore/Service/TSingleton.h>
#include <KorrGeomCore/Service/Utf16Order.h>
