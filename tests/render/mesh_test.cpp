#include <cmath>
#include <cstdint>
#include <cstring>

#include <QByteArray>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

#include "render/FlatWrap.h"
#include "render/IndexedGeometry.h"
#include "render/MeshBuilder.h"
#include "render/MeshGeometry.h"
#include "render/PictureFile.h"
#include "render/RenderError.h"
#include "render/Texture.h"
#include "render/XFileBounds.h"
#include "support/TempDir.h"

namespace zel::render {
namespace {

// One quad (two triangles) with normals, texture coordinates and two
// materials, the second emissive. Coordinates are chosen so that any axis
// flip or winding change shows.
const char* const kQuadX = R"(xof 0303txt 0032
Frame Root {
 FrameTransformMatrix {
  1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 10.0,0.0,0.0,1.0;;
 }
 Mesh quad {
  4;
  1.0;2.0;3.0;,
  4.0;2.0;3.0;,
  4.0;2.0;-5.0;,
  1.0;2.0;-5.0;;
  2;
  3;0,1,2;,
  3;0,2,3;;
  MeshNormals {
   1;
   0.0;1.0;0.0;;
   2;
   3;0,0,0;,
   3;0,0,0;;
  }
  MeshTextureCoords {
   4;
   0.0;0.0;,
   0.25;0.0;,
   0.25;0.75;,
   0.0;0.75;;
  }
  MeshMaterialList {
   2;
   2;
   0,
   1;;
   Material {
    0.5;0.25;0.125;1.0;;
    0.0;
    0.0;0.0;0.0;;
    0.0;0.0;0.0;;
   }
   Material {
    1.0;1.0;1.0;1.0;;
    0.0;
    0.0;0.0;0.0;;
    0.75;0.5;0.0;;
   }
  }
 }
}
)";

void ExpectVec(const Vec3& a, const Vec3& b, double tol = 1e-6) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

TEST(RenderMesh, XFileKeepsItsCoordinatesWindingTextureCoordinatesAndColours) {
    test::TempDir dir;
    MeshBuilder m;
    m.LoadX(dir.Write("quad.x", kQuadX));
    ASSERT_EQ(m.FaceCount(), 2);
    const MeshFace& f0 = m.Faces()[0];
    ASSERT_EQ(f0.corners.size(), 3u);
    // Frame transform applied (x + 10), z as written, corners in file order.
    ExpectVec(m.Vertices()[static_cast<std::size_t>(f0.corners[0].vertex)], {11, 2, 3});
    ExpectVec(m.Vertices()[static_cast<std::size_t>(f0.corners[1].vertex)], {14, 2, 3});
    ExpectVec(m.Vertices()[static_cast<std::size_t>(f0.corners[2].vertex)], {14, 2, -5});
    ExpectVec(f0.corners[0].normal, {0, 1, 0});
    EXPECT_NEAR(f0.corners[1].u, 0.25, 1e-6);
    EXPECT_NEAR(f0.corners[2].v, 0.75, 1e-6);
    EXPECT_FLOAT_EQ(f0.colour.g, 0.25f);
    EXPECT_FLOAT_EQ(m.Faces()[1].emissive.r, 0.75f);
    // Clockwise seen from above: the winding's normal agrees with the file's.
    const Vec3 a = m.Vertices()[static_cast<std::size_t>(f0.corners[0].vertex)];
    const Vec3 b = m.Vertices()[static_cast<std::size_t>(f0.corners[1].vertex)];
    const Vec3 c = m.Vertices()[static_cast<std::size_t>(f0.corners[2].vertex)];
    EXPECT_GT(Cross(b - a, c - a).y, 0);
}

TEST(RenderMesh, FailedLoadReportsAndKeepsTheOldContents) {
    test::TempDir dir;
    MeshBuilder m;
    m.LoadX(dir.Write("quad.x", kQuadX));
    try {
        m.LoadX(dir.File("missing.x"));
        FAIL() << "a missing file loaded";
    } catch (const RenderError& e) {
        EXPECT_EQ(e.Code, RenderErrorCode::FileNotFound);
    }
    // The last one has a face without corners ("0;"); in a longer mesh such
    // a face made the importer's triangulation end the program.
    for (const char* garbage : {"", "xof 0303txt 0032\nMesh {", "not a mesh at all",
                                "xof 0303txt 0032\nMesh m { 2; 1;2;3;, 4;5;6;; 1; 3;0,1,7;; }",
                                "xof 0303txt 0032\nMesh m { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 3; 4;0,1,2,3;, 0;, 3;0,1,2;; }"}) {
        try {
            m.LoadX(dir.Write("bad.x", garbage));
            FAIL() << "garbage loaded: " << garbage;
        } catch (const RenderError& e) {
            EXPECT_EQ(e.Code, RenderErrorCode::BadMeshFile) << garbage;
        }
    }
    try {
        m.LoadX(dir.Path().string());
        FAIL() << "a directory loaded";
    } catch (const RenderError& e) {
        EXPECT_EQ(e.Code, RenderErrorCode::FileNotFound);
    }
    EXPECT_EQ(m.FaceCount(), 2);
}

// A count the file cannot hold is refused before the importer reserves
// memory for it: 150 bytes declaring a billion vertices once made the game
// grow until the machine ran out of memory.
TEST(RenderMesh, DeclaredCountsMustFitInTheFile) {
    const std::string billion =
        "xof 0303txt 0032\nMesh m {\n 1000000000;\n 1.0;2.0;3.0;,\n 4.0;5.0;6.0;,\n 7.0;8.0;9.0;;\n"
        " 1;\n 3;0,1,2;;\n}\n";
    EXPECT_NE(CheckXFileBounds(billion), "");
    const std::string negative =
        "xof 0303txt 0032\nMesh m {\n -1;\n 1.0;2.0;3.0;;\n 1;\n 3;0,0,0;;\n}\n";
    EXPECT_NE(CheckXFileBounds(negative), "");
    EXPECT_EQ(CheckXFileBounds(kQuadX), "");
    EXPECT_NE(CheckXFileBounds("xof 0303tzip0032 compressed"), "");

    // Binary: header, then a float list claiming more floats than follow.
    std::string bin = "xof 0303bin 0032";
    auto word = [&](unsigned v) { bin += static_cast<char>(v & 0xff); bin += static_cast<char>(v >> 8); };
    auto dword = [&](unsigned v) { word(v & 0xffff); word(v >> 16); };
    word(7);
    dword(0x40000000u);
    bin += std::string(16, '\0');
    EXPECT_NE(CheckXFileBounds(bin), "");
    std::string ok = "xof 0303bin 0032";
    bin.swap(ok);
    word(7);
    dword(2);
    bin += std::string(8, '\0');
    word(6);
    dword(1);
    dword(3);
    EXPECT_EQ(CheckXFileBounds(bin), "");
    word(3);
    dword(0xffffffffu);  // an integer beyond the file's size
    EXPECT_NE(CheckXFileBounds(bin), "");

    test::TempDir dir;
    MeshBuilder m;
    try {
        m.LoadX(dir.Write("huge.x", billion));
        FAIL() << "the billion-vertex file loaded";
    } catch (const RenderError& e) {
        EXPECT_EQ(e.Code, RenderErrorCode::BadMeshFile);
    }
}

// The importer reads past a material list that holds no material: an
// unknown block in the material's place ("bin Material ..."), or no block at
// all, ended the program. A list with a reference to a material still loads.
TEST(RenderMesh, AMaterialListWithoutAMaterialIsRefused) {
    const std::string quad = kQuadX;
    const std::size_t list = quad.find("MeshMaterialList");
    const std::size_t first = quad.find("Material {", list + 4);
    ASSERT_NE(first, std::string::npos);
    auto withLists = [&](const std::string& entries) {
        const std::size_t close = quad.find("  }\n", quad.rfind("Material {") ) + 4;
        return quad.substr(0, first) + entries + quad.substr(close);
    };
    const std::string unknown = withLists("bin Material Orange {\n 1.0;1.0;1.0;1.0;;\n 0.0;\n 0.0;0.0;0.0;;\n 0.0;0.0;0.0;;\n   }\n");
    const std::string none = withLists("");
    const std::string reference = withLists("{ Orange }\n");
    // The face indices ended by ";:" instead of ";;": the importer then
    // takes the material that follows for something else.
    std::string misread = quad;
    misread.replace(misread.find("1;;", list), 3, "1;:");
    EXPECT_NE(CheckXFileBounds(unknown), "");
    EXPECT_NE(CheckXFileBounds(none), "");
    EXPECT_NE(CheckXFileBounds(misread), "");
    EXPECT_EQ(CheckXFileBounds(reference), "");
    EXPECT_EQ(CheckXFileBounds(kQuadX), "");

    test::TempDir dir;
    MeshBuilder m;
    for (const std::string* bad : std::initializer_list<const std::string*>{&unknown, &none, &misread}) {
        try {
            m.LoadX(dir.Write("bad.x", *bad));
            FAIL() << "a material list without a material loaded:\n" << *bad;
        } catch (const RenderError& e) {
            EXPECT_EQ(e.Code, RenderErrorCode::BadMeshFile);
        }
    }
    EXPECT_NO_THROW(m.LoadX(dir.Write("ref.x", reference)));
}

TEST(RenderMesh, PicturesDeclaringHugeSizesAreRefusedBeforeReading) {
    test::TempDir dir;
    // A GIF header claiming 65535 by 65535 pixels, with no pixels at all.
    std::string gif = "GIF89a";
    gif += "\xff\xff\xff\xff";
    gif += std::string("\x00\x00\x00", 3);
    gif += std::string(",\x00\x00\x00\x00\xff\xff\xff\xff\x00", 10);
    gif += std::string("\x02\x02\x44\x01\x00;", 6);
    QString error;
    EXPECT_TRUE(ReadPicture(QString::fromStdString(dir.Write("huge.gif", gif)), error).isNull());
    EXPECT_FALSE(error.isEmpty());
    try {
        Texture::Load(dir.File("huge.gif"));
        FAIL() << "the huge picture loaded";
    } catch (const RenderError& e) {
        EXPECT_EQ(e.Code, RenderErrorCode::BadPicture);
    }
}

TEST(RenderMesh, APictureMayDeclareNoMorePixelsThanItsFileCanHold) {
    // A 70-byte BMP whose header says 2 by 8,000,000 pixels, top-down: Qt's
    // reader cannot tell its size first, and the picture it then made was
    // within the overall limit, so 64 MB were filled from 70 bytes.
    std::string bmp = QByteArray::fromBase64(
        "Qk1GAAAAAAAAADYAAAAoAAAAAgAAAAA2AP8BABgAAAAAAAAAACYAAQAAAAD5//8AgChwCDUAAAAA").toStdString();
    const std::int32_t height = -8000000;
    std::memcpy(&bmp[22], &height, sizeof height);
    test::TempDir dir;
    QString error;
    EXPECT_TRUE(ReadPicture(QString::fromStdString(dir.Write("tall.bmp", bmp)), error).isNull());
    EXPECT_FALSE(error.isEmpty());

    // A small file may still hold a large plain picture: a 2048 by 2048
    // single-colour PNG is a few kilobytes and reads.
    QImage plain(2048, 2048, QImage::Format_RGB32);
    plain.fill(Qt::darkGreen);
    const QString png = QString::fromStdString(dir.File("plain.png"));
    ASSERT_TRUE(plain.save(png, "PNG"));
    ASSERT_LT(QFileInfo(png).size(), 64 * 1024);
    EXPECT_EQ(ReadPicture(png, error).size(), QSize(2048, 2048)) << error.toStdString();
}

TEST(RenderMesh, ScaleMovesVerticesAndKeepsNormalsPerpendicular) {
    MeshBuilder m;
    const int a = m.AddVertex({0, 0, 0});
    const int b = m.AddVertex({0, 1, 1});
    const int c = m.AddVertex({1, 0, 0});
    m.AddFace({a, b, c}, {1, 1, 1, 1});
    m.Scale(2, 3, 0.5);
    const Box box = m.GetBox();
    ExpectVec(box.min, {0, 0, 0});
    ExpectVec(box.max, {2, 3, 0.5});
    const Vec3 n = m.Faces()[0].corners[0].normal;
    EXPECT_NEAR(Length(n), 1, 1e-12);
    // Still perpendicular to the scaled face's edges.
    const Vec3 pa = m.Vertices()[0];
    EXPECT_NEAR(Dot(n, m.Vertices()[1] - pa), 0, 1e-12);
    EXPECT_NEAR(Dot(n, m.Vertices()[2] - pa), 0, 1e-12);
    // A zero factor flattens the mesh without producing NaN normals.
    m.Scale(1, 0, 1);
    EXPECT_FALSE(std::isnan(m.Faces()[0].corners[0].normal.x));
}

TEST(RenderMesh, EmptyMeshHasNoBoxAndBadFacesAreRefused) {
    MeshBuilder m;
    EXPECT_THROW(m.GetBox(), RenderError);
    const int a = m.AddVertex({0, 0, 0});
    EXPECT_THROW(m.AddFace({a, a}, {}), RenderError);
    EXPECT_THROW(m.AddFace({a, a, 5}, {}), RenderError);
    EXPECT_THROW(m.SetFaceColour(0, {}), RenderError);
    EXPECT_THROW(m.Scale(1, std::nan(""), 1), RenderError);
    EXPECT_THROW(m.AddVertex({std::nan(""), 0, 0}), RenderError);
}

// The room's wrap (direction (1, 0, 1), up (1, 0, 0), scale (0, 1/135)):
// no scale across, so every corner takes the picture's first column; down
// the picture it runs along the horizontal diagonal, one picture height per
// 135 units, whatever the height on the wall.
TEST(RenderMesh, FlatWrapMapsAlongItsUpAxisWithTheGivenScales) {
    FlatWrap room;
    room.origin = {0, -35, 1};
    room.direction = {1, 0, 1};
    room.up = {1, 0, 0};
    room.scaleU = 0;
    room.scaleV = 1.0 / 135;
    double u = 1;
    double v = 1;
    room.Map({200, -35, 150}, u, v);
    EXPECT_EQ(u, 0);
    const double expected = -((200 - 0) - (150 - 1)) / std::sqrt(2.0) / 135;
    EXPECT_NEAR(v, expected, 1e-12);
    double u2 = 1;
    double v2 = 1;
    room.Map({200, 100, 150}, u2, v2);
    EXPECT_NEAR(v2, v, 1e-12);

    // A wrap facing the viewer shows the picture upright: v grows downward.
    FlatWrap plain;
    plain.direction = {0, 0, 1};
    plain.up = {0, 1, 0};
    plain.scaleU = 0.5;
    plain.scaleV = 0.25;
    plain.offsetU = 0.1;
    plain.Map({2, 4, 7}, u, v);
    EXPECT_NEAR(u, 0.5 * 2 - 0.1, 1e-12);
    EXPECT_NEAR(v, -0.25 * 4, 1e-12);

    MeshBuilder m;
    const int a = m.AddVertex({0, 0, 0});
    const int b = m.AddVertex({0, 4, 0});
    const int c = m.AddVertex({2, 0, 0});
    m.AddFace({a, b, c}, {});
    plain.Apply(m);
    EXPECT_NEAR(m.Faces()[0].corners[1].v, -1, 1e-12);
    EXPECT_NEAR(m.Faces()[0].corners[2].u, 0.9, 1e-12);
    EXPECT_THROW(plain.ApplyToFace(m, 3), RenderError);
}

TEST(RenderMesh, GeometryFansPolygonsAndGroupsFacesByTexture) {
    auto tex = Texture::FromImage(QImage(4, 4, QImage::Format_RGB32));
    MeshBuilder m;
    for (int i = 0; i < 5; ++i) m.AddVertex({std::cos(i * 1.2566), 0, std::sin(i * 1.2566)});
    m.AddFace({0, 1, 2, 3, 4}, {1, 0, 0, 1});    // pentagon: three triangles
    m.AddFace({0, 2, 4}, {0, 1, 0, 1});
    m.AddFace({1, 2, 3}, {0, 0, 1, 1});
    m.SetFaceTexture(1, tex);
    const MeshGeometry g = BuildGeometry(m);
    ASSERT_EQ(g.parts.size(), 2u);
    EXPECT_EQ(g.parts[0].texture, nullptr);
    EXPECT_EQ(g.parts[0].count, 12);  // pentagon and the last triangle
    EXPECT_EQ(g.parts[1].texture, tex);
    EXPECT_EQ(g.parts[1].first, 12);
    EXPECT_EQ(g.parts[1].count, 3);
    EXPECT_EQ(g.VertexCount(), 15);
    // Third vertex of the part without texture: the pentagon's corner 2,
    // red; the fan starts every triangle at corner 0.
    EXPECT_FLOAT_EQ(g.vertexData[2 * kGeometryStride + 8], 1.0f);
    EXPECT_FLOAT_EQ(g.vertexData[3 * kGeometryStride + 0], static_cast<float>(m.Vertices()[0].x));
}

TEST(RenderMesh, IndexingStoresEachSameVertexOnceAndKeepsEveryTriangle) {
    auto tex = Texture::FromImage(QImage(4, 4, QImage::Format_RGB32));
    MeshBuilder m;
    for (int i = 0; i < 4; ++i) m.AddVertex({static_cast<double>(i % 2), 0, static_cast<double>(i / 2)});
    // A square fanned from corner 0, one colour: four distinct corners.
    m.AddFace({0, 1, 3, 2}, {1, 1, 1, 1});
    // The same corners in another colour, and textured: new vertices.
    m.AddFace({0, 1, 3}, {1, 0, 0, 1});
    m.SetFaceTexture(1, tex);
    const MeshGeometry flat = BuildGeometry(m);
    const IndexedGeometry g = IndexGeometry(flat);
    EXPECT_EQ(g.VertexCount(), 4 + 3);
    ASSERT_EQ(g.indices.size(), static_cast<std::size_t>(flat.VertexCount()));
    // Every index names a vertex equal to the corner it replaces, so each
    // triangle, in its order and run, is drawn as before.
    for (std::size_t i = 0; i < g.indices.size(); ++i) {
        ASSERT_LT(g.indices[i], static_cast<std::uint32_t>(g.VertexCount()));
        for (int k = 0; k < kGeometryStride; ++k)
            EXPECT_EQ(g.vertexData[g.indices[i] * kGeometryStride + static_cast<std::size_t>(k)],
                      flat.vertexData[i * kGeometryStride + static_cast<std::size_t>(k)])
                << "corner " << i << " value " << k;
    }
    ASSERT_EQ(g.parts.size(), 2u);
    EXPECT_EQ(g.parts[1].texture, tex);
    EXPECT_EQ(g.parts[1].first, 6);
    EXPECT_EQ(g.parts[1].count, 3);
}

TEST(RenderMesh, TexturesComeFromPicturesAndBadOnesAreRefused) {
    test::TempDir dir;
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(qRgb(10, 20, 30));
    img.setPixel(0, 0, qRgb(255, 0, 0));
    ASSERT_TRUE(img.save(QString::fromStdString(dir.File("t.bmp")), "BMP"));
    const auto t = Texture::Load(dir.File("t.bmp"));
    EXPECT_EQ(t->Width(), 3);
    EXPECT_EQ(t->Image().pixel(0, 0), qRgb(255, 0, 0));  // top row first
    EXPECT_EQ(t->Image().pixel(2, 1), qRgb(10, 20, 30));
    try {
        Texture::Load(dir.File("none.bmp"));
        FAIL();
    } catch (const RenderError& e) {
        EXPECT_EQ(e.Code, RenderErrorCode::FileNotFound);
    }
    try {
        Texture::Load(dir.Write("bad.bmp", "BM this is not a bitmap"));
        FAIL();
    } catch (const RenderError& e) {
        EXPECT_EQ(e.Code, RenderErrorCode::BadPicture);
    }
}

}  // namespace
}  // namespace zel::render
