// Checks the generated game data the way the 3D match uses it: every file
// reads back, and each mesh, placed with the scene's own scales, turns and
// positions, lies where the physics puts the thing it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

#include "GameData.h"
#include "PieceCircles.h"
#include "physics/Shapes.h"

namespace {

namespace fs = std::filesystem;

const double kPi = 4 * std::atan(1.0);

// ---------------------------------------------------------------------------
// A small reader for the text .x files: just enough of the format to get the
// mesh back, strict about counts and nesting.

struct P3 {
    double x = 0, y = 0, z = 0;
};

struct XMaterial {
    double R = 0, G = 0, B = 0;
};

struct XMesh {
    std::vector<P3> Positions;
    std::vector<std::array<int, 3>> Faces;
    std::vector<P3> Normals;
    std::vector<std::array<int, 3>> NormalFaces;
    std::vector<std::array<double, 2>> TexCoords;
    std::vector<int> FaceMaterials;
    std::vector<XMaterial> Materials;
};

class XReader {
public:
    explicit XReader(std::string text) : text_(std::move(text)) {}

    XMesh Read() {
        const std::string header = "xof 0303txt 0032";
        if (text_.compare(0, header.size(), header) != 0) throw std::runtime_error("bad header");
        pos_ = header.size();
        XMesh mesh;
        Expect("Mesh");
        OptionalName();
        Expect("{");
        const int nv = Count();
        for (int i = 0; i < nv; ++i) mesh.Positions.push_back(Vector());
        mesh.Faces = FaceList();
        while (Peek() != "}") {
            const std::string child = Next();
            Expect("{");
            if (child == "MeshNormals") {
                const int nn = Count();
                for (int i = 0; i < nn; ++i) mesh.Normals.push_back(Vector());
                mesh.NormalFaces = FaceList();
            } else if (child == "MeshTextureCoords") {
                const int nt = Count();
                for (int i = 0; i < nt; ++i) {
                    const double u = Number();
                    mesh.TexCoords.push_back({u, Number()});
                }
            } else if (child == "MeshMaterialList") {
                const int nm = Count();
                const int nf = Count();
                for (int i = 0; i < nf; ++i) mesh.FaceMaterials.push_back(static_cast<int>(Number()));
                for (int i = 0; i < nm; ++i) {
                    Expect("Material");
                    OptionalName();
                    Expect("{");
                    XMaterial m;
                    m.R = Number();
                    m.G = Number();
                    m.B = Number();
                    Number();  // alpha
                    Number();  // power
                    for (int k = 0; k < 6; ++k) Number();  // specular and emissive
                    Expect("}");
                    mesh.Materials.push_back(m);
                }
            } else {
                throw std::runtime_error("unexpected object " + child);
            }
            Expect("}");
        }
        Expect("}");
        if (!Peek().empty()) throw std::runtime_error("text after the mesh");
        return mesh;
    }

private:
    // Tokens are braces and words; ";" and "," only separate and are skipped.
    std::string Next() {
        std::string t = Peek();
        pos_ = after_;
        if (t.empty()) throw std::runtime_error("unexpected end of file");
        return t;
    }

    std::string Peek() {
        std::size_t p = pos_;
        for (;;) {
            while (p < text_.size() && (std::isspace(static_cast<unsigned char>(text_[p])) || text_[p] == ';' ||
                                        text_[p] == ',')) {
                ++p;
            }
            if (text_.compare(p, 2, "//") == 0 || (p < text_.size() && text_[p] == '#')) {
                p = text_.find('\n', p);
                if (p == std::string::npos) p = text_.size();
                continue;
            }
            break;
        }
        if (p >= text_.size()) {
            after_ = p;
            return {};
        }
        if (text_[p] == '{' || text_[p] == '}') {
            after_ = p + 1;
            return std::string(1, text_[p]);
        }
        std::size_t e = p;
        while (e < text_.size() && !std::isspace(static_cast<unsigned char>(text_[e])) &&
               std::string(";,{}").find(text_[e]) == std::string::npos) {
            ++e;
        }
        after_ = e;
        return text_.substr(p, e - p);
    }

    void Expect(const std::string& want) {
        const std::string got = Next();
        if (got != want) throw std::runtime_error("expected " + want + ", got " + got);
    }

    void OptionalName() {
        if (Peek() != "{") Next();
    }

    double Number() {
        const std::string t = Next();
        char* end = nullptr;
        const double v = std::strtod(t.c_str(), &end);
        if (end != t.c_str() + t.size() || !std::isfinite(v)) throw std::runtime_error("not a number: " + t);
        return v;
    }

    int Count() {
        const double v = Number();
        if (v < 0 || v != std::floor(v) || v > 1e6) throw std::runtime_error("bad count");
        return static_cast<int>(v);
    }

    P3 Vector() {
        P3 p;
        p.x = Number();
        p.y = Number();
        p.z = Number();
        return p;
    }

    std::vector<std::array<int, 3>> FaceList() {
        const int nf = Count();
        std::vector<std::array<int, 3>> faces;
        for (int i = 0; i < nf; ++i) {
            if (Count() != 3) throw std::runtime_error("face is not a triangle");
            std::array<int, 3> f{};
            for (int& v : f) v = Count();
            faces.push_back(f);
        }
        return faces;
    }

    std::string text_;
    std::size_t pos_ = 0;
    std::size_t after_ = 0;
};

// ---------------------------------------------------------------------------
// The scene's placement of a mesh: scale each axis, turn the frame by theta
// about the vertical, move it. The turn maps (x, z) to
// (x cos t + z sin t, -x sin t + z cos t), the 3D layer's rotation about +y.

P3 Place(P3 p, P3 scale, double theta, P3 at) {
    const double x = p.x * scale.x;
    const double y = p.y * scale.y;
    const double z = p.z * scale.z;
    return {x * std::cos(theta) + z * std::sin(theta) + at.x, y + at.y, -x * std::sin(theta) + z * std::cos(theta) + at.z};
}

std::vector<P3> PlaceAll(const XMesh& mesh, P3 scale, double theta, P3 at) {
    std::vector<P3> out;
    for (const P3& p : mesh.Positions) out.push_back(Place(p, scale, theta, at));
    return out;
}

struct Box {
    P3 lo{1e300, 1e300, 1e300};
    P3 hi{-1e300, -1e300, -1e300};
};

Box BoundsOf(const std::vector<P3>& ps) {
    Box b;
    for (const P3& p : ps) {
        b.lo = {std::min(b.lo.x, p.x), std::min(b.lo.y, p.y), std::min(b.lo.z, p.z)};
        b.hi = {std::max(b.hi.x, p.x), std::max(b.hi.y, p.y), std::max(b.hi.z, p.z)};
    }
    return b;
}

P3 Sub(P3 a, P3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
P3 Cross(P3 a, P3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(P3 a, P3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// ---------------------------------------------------------------------------
// The data is generated once into a scratch folder for the whole suite.

class ContentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = fs::temp_directory_path() / ("zel-content-test-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "gamedata" / "mesh");
        std::ofstream(root_ / "gamedata" / "mesh" / "keep.txt") << "not ours";
        zel::content::WriteGameData(root_);
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    static std::string Bytes(const std::string& relative) {
        std::ifstream in(root_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    static XMesh Mesh(const std::string& name) { return XReader(Bytes("gamedata/mesh/" + name)).Read(); }

    static fs::path root_;
};
fs::path ContentTest::root_;

// Every file the scene, the piece preview and the name labels load.
const std::vector<std::string> kSceneFiles = {
    "gamedata/mesh/vembatable.x", "gamedata/mesh/vembatable.bmp", "gamedata/pic/mingerb.bmp",
    "gamedata/mesh/vemba0.x",     "gamedata/mesh/vemba0_gray.x",  "gamedata/mesh/vemba1.x",
    "gamedata/mesh/vemba1_gray.x", "gamedata/mesh/vemba2.x",      "gamedata/mesh/vemba2_gray.x",
    "gamedata/mesh/vemba3.x",     "gamedata/mesh/vemba3_gray.x",  "gamedata/mesh/vemba4.x",
    "gamedata/mesh/vemba4_gray.x", "gamedata/mesh/border1.x",     "gamedata/mesh/pipa.x",
    "gamedata/mesh/ball.x",       "gamedata/mesh/point.x",        "gamedata/mesh/centerpoint.x",
    "gamedata/mesh/lamp.x",       "gamedata/mesh/swin.x",
};

// ---------------------------------------------------------------------------

TEST_F(ContentTest, EveryFileTheSceneLoadsIsWrittenAndNothingElseIsTouched) {
    for (const std::string& f : kSceneFiles) {
        EXPECT_TRUE(fs::is_regular_file(root_ / f)) << f;
        EXPECT_FALSE(fs::exists(root_ / (f + ".tmp"))) << f;
    }
    EXPECT_EQ(Bytes("gamedata/mesh/keep.txt"), "not ours");
    EXPECT_EQ(zel::content::BuildGameData().size(), kSceneFiles.size());
}

TEST_F(ContentTest, GeneratedBytesAreTheSameOnEveryRun) {
    const auto a = zel::content::BuildGameData();
    const auto b = zel::content::BuildGameData();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].Path, b[i].Path);
        EXPECT_TRUE(a[i].Bytes == b[i].Bytes) << a[i].Path;
        EXPECT_EQ(Bytes(a[i].Path).size(), a[i].Bytes.size()) << a[i].Path;
    }
}

TEST_F(ContentTest, MeshFilesParseWithConsistentCounts) {
    for (const std::string& f : kSceneFiles) {
        if (f.substr(f.size() - 2) != ".x") continue;
        SCOPED_TRACE(f);
        const std::string text = Bytes(f);
        EXPECT_EQ(text.substr(0, text.find('\n')), "xof 0303txt 0032");
        int depth = 0;
        for (char c : text) {
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            ASSERT_GE(depth, 0);
        }
        EXPECT_EQ(depth, 0);

        XMesh m;
        ASSERT_NO_THROW(m = XReader(text).Read());
        const int nv = static_cast<int>(m.Positions.size());
        EXPECT_GT(m.Faces.size(), 0u);
        EXPECT_EQ(m.Normals.size(), m.Positions.size());
        EXPECT_EQ(m.NormalFaces, m.Faces);
        EXPECT_EQ(m.FaceMaterials.size(), m.Faces.size());
        EXPECT_TRUE(m.TexCoords.empty() || static_cast<int>(m.TexCoords.size()) == nv);
        for (const auto& face : m.Faces) {
            for (int v : face) EXPECT_TRUE(v >= 0 && v < nv);
        }
        for (int mat : m.FaceMaterials) EXPECT_TRUE(mat >= 0 && mat < static_cast<int>(m.Materials.size()));
    }
    EXPECT_FALSE(Mesh("vembatable.x").TexCoords.empty());
}

TEST_F(ContentTest, FacesAreWoundOutwardsAlongTheirNormals) {
    for (const std::string& f : kSceneFiles) {
        if (f.substr(f.size() - 2) != ".x") continue;
        SCOPED_TRACE(f);
        const XMesh m = XReader(Bytes(f)).Read();
        for (const P3& n : m.Normals) EXPECT_NEAR(Dot(n, n), 1.0, 1e-5);
        for (const auto& face : m.Faces) {
            const P3 a = m.Positions[face[0]];
            const P3 cross = Cross(Sub(m.Positions[face[1]], a), Sub(m.Positions[face[2]], a));
            P3 n{};
            for (int v : face) n = {n.x + m.Normals[v].x, n.y + m.Normals[v].y, n.z + m.Normals[v].z};
            EXPECT_GT(Dot(cross, n), 0.0);
        }
    }
}

// The shape the physics uses for a piece model, in table units.
std::vector<zel::Circle> PhysicsCircles(int model) {
    const zel::ShapeTable shapes = zel::InitShapes(20, 14, 11);
    const zel::VembaShape& s = shapes[static_cast<std::size_t>(model)];
    return std::vector<zel::Circle>(s.Circles.begin() + 1, s.Circles.begin() + 1 + s.Count);
}

TEST_F(ContentTest, PieceCirclesMatchThePhysicsShapes) {
    for (int model = 0; model <= 4; ++model) {
        const auto physics = PhysicsCircles(model);
        const auto ours = zel::content::PieceCirclesOf(model);
        ASSERT_EQ(ours.size(), physics.size()) << model;
        for (std::size_t k = 0; k < ours.size(); ++k) {
            EXPECT_EQ(ours[k].X, physics[k].X);
            EXPECT_EQ(ours[k].Y, physics[k].Y);
            EXPECT_EQ(ours[k].Rad, physics[k].Rad);
        }
    }
}

// The farthest reach of a set of table points along direction angle a.
double Reach(const std::vector<std::array<double, 2>>& pts, double a) {
    double best = -1e300;
    for (const auto& p : pts) best = std::max(best, p[0] * std::cos(a) + p[1] * std::sin(a));
    return best;
}

// A piece mesh placed for a record at (xpos, ypos) heading phi, with the
// scene's piece scale 0.1 and the given turn, read back in table units.
std::vector<std::array<double, 2>> PieceOnTable(const XMesh& mesh, double xpos, double ypos, double turn) {
    std::vector<std::array<double, 2>> pts;
    for (const P3& p : PlaceAll(mesh, {0.1, 0.1, 0.1}, turn, {xpos / 10, 0, -ypos / 10})) pts.push_back({p.x * 10, -p.z * 10});
    return pts;
}

// The circles where the physics puts them for that record.
std::vector<zel::Circle> WorldCircles(int model, double xpos, double ypos, double phi) {
    std::vector<zel::Circle> out;
    for (const zel::Circle& c : PhysicsCircles(model)) {
        out.push_back({c.X * std::cos(phi) - c.Y * std::sin(phi) + xpos, c.Y * std::cos(phi) + c.X * std::sin(phi) + ypos, c.Rad});
    }
    return out;
}

double CirclesReach(const std::vector<zel::Circle>& cs, double a) {
    double best = -1e300;
    for (const zel::Circle& c : cs) best = std::max(best, c.X * std::cos(a) + c.Y * std::sin(a) + c.Rad);
    return best;
}

TEST_F(ContentTest, PieceOutlineFollowsItsCirclesAtEveryHeading) {
    const double headings[] = {0, 0.4, 1.3, kPi / 2, 2.5, kPi, 4.0, 5.5, 2 * kPi, -0.75 * kPi};
    for (int model = 0; model <= 3; ++model) {
        for (const char* suffix : {".x", "_gray.x"}) {
            const XMesh mesh = Mesh("vemba" + std::to_string(model) + suffix);
            for (double phi : headings) {
                SCOPED_TRACE("model " + std::to_string(model) + suffix + " heading " + std::to_string(phi));
                const auto pts = PieceOnTable(mesh, 250, 170, phi);
                const auto circles = WorldCircles(model, 250, 170, phi);
                // The outline reaches as far as the circles in every direction
                // (within the chords of its 5-degree steps)...
                for (int k = 0; k < 36; ++k) {
                    const double a = 2 * kPi * k / 36;
                    EXPECT_NEAR(Reach(pts, a), CirclesReach(circles, a), 0.05);
                }
                // ...and nothing is drawn where no circle is.
                for (const auto& p : pts) {
                    double inside = 1e300;
                    for (const zel::Circle& c : circles) inside = std::min(inside, std::hypot(p[0] - c.X, p[1] - c.Y) - c.Rad);
                    EXPECT_LE(inside, 1e-3);
                }
            }
        }
    }
}

TEST_F(ContentTest, OnlyTheRightHandedTurnFollowsTheCircles) {
    // Turning the frame the other way round draws the tail of model 0 on the
    // wrong side for any heading but 0 and pi.
    const XMesh mesh = Mesh("vemba0.x");
    const auto mirrored = PieceOnTable(mesh, 250, 170, -kPi / 2);
    const auto circles = WorldCircles(0, 250, 170, kPi / 2);
    double worst = 0;
    for (int k = 0; k < 36; ++k) {
        const double a = 2 * kPi * k / 36;
        worst = std::max(worst, std::abs(Reach(mirrored, a) - CirclesReach(circles, a)));
    }
    EXPECT_GT(worst, 5.0);
}

TEST_F(ContentTest, GreyTwinHasTheSameGeometryInGrey) {
    for (int model = 0; model <= 4; ++model) {
        SCOPED_TRACE(model);
        const XMesh coloured = Mesh("vemba" + std::to_string(model) + ".x");
        const XMesh grey = Mesh("vemba" + std::to_string(model) + "_gray.x");
        ASSERT_EQ(grey.Positions.size(), coloured.Positions.size());
        for (std::size_t i = 0; i < grey.Positions.size(); ++i) {
            EXPECT_EQ(grey.Positions[i].x, coloured.Positions[i].x);
            EXPECT_EQ(grey.Positions[i].y, coloured.Positions[i].y);
            EXPECT_EQ(grey.Positions[i].z, coloured.Positions[i].z);
        }
        EXPECT_EQ(grey.Faces, coloured.Faces);
        double colourfulness = 0;
        for (const XMaterial& m : grey.Materials) {
            EXPECT_NEAR(m.R, m.G, 0.05);
            EXPECT_NEAR(m.G, m.B, 0.05);
        }
        for (const XMaterial& m : coloured.Materials) {
            colourfulness = std::max(colourfulness, std::max({m.R, m.G, m.B}) - std::min({m.R, m.G, m.B}));
        }
        EXPECT_GT(colourfulness, 0.3);
    }
}

TEST_F(ContentTest, PiecesStandOnTheTableUnderTheArrowAndLabels) {
    for (int model = 0; model <= 4; ++model) {
        const Box b = BoundsOf(PlaceAll(Mesh("vemba" + std::to_string(model) + ".x"), {0.1, 0.1, 0.1}, 0, {}));
        EXPECT_DOUBLE_EQ(b.lo.y, 0.0) << model;
        // The aim arrow's underside is at 0.9, the labels at 1.5.
        EXPECT_LT(b.hi.y, 0.9) << model;
    }
    // The oval piece is of the pieces' size, longer than it is wide.
    const Box oval = BoundsOf(Mesh("vemba4.x").Positions);
    EXPECT_GE(oval.hi.x, 14);
    EXPECT_LE(oval.hi.x, 22);
    EXPECT_GE(oval.hi.z, 20);
    EXPECT_LE(oval.hi.z, 28);
    EXPECT_NEAR(oval.lo.x, -oval.hi.x, 1e-6);
    EXPECT_NEAR(oval.lo.z, -oval.hi.z, 1e-6);
}

TEST_F(ContentTest, TableCoversExactlyThePlayingArea) {
    const XMesh mesh = Mesh("vembatable.x");
    for (auto [maxX, maxY] : {std::pair{600, 400}, {630, 500}, {201, 1000}, {1000, 201}, {1000, 1000}}) {
        SCOPED_TRACE(std::to_string(maxX) + " x " + std::to_string(maxY));
        const auto placed = PlaceAll(mesh, {maxX / 1000.0, 0.5, maxY / 500.0}, 0, {});
        const Box all = BoundsOf(placed);
        std::vector<P3> surface;
        for (const P3& p : placed) {
            if (p.y == 0) surface.push_back(p);
        }
        const Box top = BoundsOf(surface);
        EXPECT_DOUBLE_EQ(top.lo.x, 0.0);
        EXPECT_NEAR(top.hi.x, maxX / 10.0, 1e-9);
        EXPECT_NEAR(top.lo.z, -maxY / 10.0, 1e-9);
        EXPECT_DOUBLE_EQ(top.hi.z, 0.0);
        // Nothing stands above the surface or outside it: a piece is on the
        // table exactly while its centre is over the drawn top.
        EXPECT_DOUBLE_EQ(all.hi.y, 0.0);
        EXPECT_GE(all.lo.x, 0.0);
        EXPECT_LE(all.hi.x, maxX / 10.0 + 1e-9);
        EXPECT_GE(all.lo.z, -maxY / 10.0 - 1e-9);
        EXPECT_LE(all.hi.z, 0.0);
        // The legs reach the room's floor.
        EXPECT_NEAR(all.lo.y, -35.0, 1e-9);
    }
}

// A little-endian 32-bit field of a bitmap header.
std::uint32_t U32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(b[at + k]);
    return v;
}

// Pixel (x, y) of a 24-bit bottom-up bitmap, x and y from the top left.
std::array<int, 3> BmpPixel(const std::string& bmp, int x, int y) {
    const int w = static_cast<int>(U32(bmp, 18));
    const int h = static_cast<int>(U32(bmp, 22));
    const int row = (w * 3 + 3) / 4 * 4;
    const std::size_t at = 54 + static_cast<std::size_t>(h - 1 - y) * row + static_cast<std::size_t>(x) * 3;
    return {static_cast<unsigned char>(bmp[at + 2]), static_cast<unsigned char>(bmp[at + 1]),
            static_cast<unsigned char>(bmp[at])};
}

TEST_F(ContentTest, TableTopShowsFeltAndTheRestShowsWood) {
    const XMesh mesh = Mesh("vembatable.x");
    const std::string bmp = Bytes("gamedata/mesh/vembatable.bmp");
    for (std::size_t f = 0; f < mesh.Faces.size(); ++f) {
        for (int v : mesh.Faces[f]) {
            const auto uv = mesh.TexCoords[v];
            EXPECT_TRUE(uv[1] >= 0 && uv[1] <= 1);
            const double u = uv[0] - std::floor(uv[0]);
            const auto px = BmpPixel(bmp, std::min(255, static_cast<int>(u * 256)), std::min(255, static_cast<int>(uv[1] * 256)));
            const bool onTop = mesh.Positions[v].y == 0 && mesh.Normals[v].y > 0.99;
            if (onTop) {
                EXPECT_GE(uv[0], 0.0);
                EXPECT_LE(uv[0], 1.0);
                EXPECT_GT(px[1], px[0]) << "felt is green";
            } else {
                EXPECT_GT(px[0], px[1]) << "wood is brown";
            }
        }
    }
}

TEST_F(ContentTest, PostHasThePostRadius) {
    const auto placed = PlaceAll(Mesh("pipa.x"), {0.11, 0.11, 0.11}, 0, {8, 0, -8});
    double widest = 0;
    for (const P3& p : placed) widest = std::max(widest, std::hypot(p.x - 8, p.z + 8));
    // 11 table units; its 40 corners lie on the radius.
    EXPECT_NEAR(widest * 10, 11.0, 1e-5);
    std::vector<std::array<double, 2>> flat;
    for (const P3& p : placed) flat.push_back({p.x - 8, p.z + 8});
    for (int k = 0; k < 16; ++k) EXPECT_NEAR(Reach(flat, 2 * kPi * k / 16) * 10, 11.0, 11.0 * (1 - std::cos(kPi / 40)) + 1e-6);
    EXPECT_DOUBLE_EQ(BoundsOf(placed).lo.y, 0.0);
    EXPECT_GT(BoundsOf(placed).hi.y, 1.0);
}

struct WallCase {
    int BordMode;
    int Wall;  // 1 or 2
};

TEST_F(ContentTest, WallsStandOnTheEdgesTheyGuard) {
    const XMesh mesh = Mesh("border1.x");
    for (auto [maxX, maxY] : {std::pair{600, 400}, {630, 500}, {201, 201}, {1000, 1000}, {300, 250}}) {
        const double scaleX = maxX / 1000.0;
        const double scaleZ = maxY / 500.0;
        const double len = 1e-3;  // 3.14159 is not quite pi: the far end moves by under this
        for (const WallCase c : {WallCase{0, 1}, WallCase{0, 2}, WallCase{1, 1}, WallCase{1, 2}}) {
            SCOPED_TRACE("table " + std::to_string(maxX) + " x " + std::to_string(maxY) + ", mode " +
                         std::to_string(c.BordMode) + ", wall " + std::to_string(c.Wall));
            std::vector<P3> placed;
            if (c.BordMode != 1) {
                const double turn = c.Wall == 1 ? -kPi / 2 : -3.14159 / 2;
                const P3 at = c.Wall == 1 ? P3{-2.5, -5, 0} : P3{scaleX * 100, -5, 0};
                placed = PlaceAll(mesh, {scaleZ / 2, 0.3, 0.5}, turn, at);
            } else {
                const P3 at = c.Wall == 1 ? P3{0, -5, 0} : P3{0, -5, -scaleZ * 51 - 2};
                placed = PlaceAll(mesh, {scaleX, 0.3, 0.5}, 3.14159, at);
            }
            const Box b = BoundsOf(placed);
            // From below the table surface to above a piece's top.
            EXPECT_NEAR(b.lo.y, -5.0, 1e-9);
            EXPECT_GT(b.hi.y, 1.0);
            if (c.BordMode != 1) {
                // Along the whole edge x = 0 or x = MaxX/10, outside the table.
                EXPECT_NEAR(b.lo.z, -maxY / 10.0, len);
                EXPECT_NEAR(b.hi.z, 0.0, len);
                if (c.Wall == 1) {
                    EXPECT_NEAR(b.hi.x, 0.0, len);
                } else {
                    EXPECT_NEAR(b.lo.x, maxX / 10.0, len);
                }
            } else {
                // Along the whole edge z = 0 or z = -MaxY/10, outside the table.
                EXPECT_NEAR(b.lo.x, 0.0, len);
                EXPECT_NEAR(b.hi.x, maxX / 10.0, len);
                if (c.Wall == 1) {
                    EXPECT_NEAR(b.lo.z, 0.0, len);
                } else {
                    // Its placement leaves the far wall MaxY/500 - 0.5 off the
                    // edge: on it only for MaxY = 250, never far.
                    EXPECT_NEAR(b.hi.z, -maxY / 10.0 - (maxY / 500.0 - 0.5), len);
                    EXPECT_LE(std::abs(b.hi.z + maxY / 10.0), 1.5 + len);
                }
            }
        }
    }
}

TEST_F(ContentTest, ArrowPointsAlongTheStrikeAboveThePiece) {
    const XMesh mesh = Mesh("point.x");
    for (double aim : {0.0, 0.7, kPi / 2, 2.0, -1.0, kPi, -2 * kPi + 0.05}) {
        SCOPED_TRACE(aim);
        const auto placed = PlaceAll(mesh, {0.1, 0.05, 0.1}, aim, {3, 1.0, -4});
        P3 tip = placed.front();
        for (const P3& p : placed) {
            if (std::hypot(p.x - 3, p.z + 4) > std::hypot(tip.x - 3, tip.z + 4)) tip = p;
        }
        // Back in the table plane the tip lies along (sin a, -cos a).
        const double dx = (tip.x - 3) * 10;
        const double dy = -(tip.z + 4) * 10;
        const double d = std::hypot(dx, dy);
        EXPECT_NEAR(dx / d, std::sin(aim), 1e-6);
        EXPECT_NEAR(dy / d, -std::cos(aim), 1e-6);
        EXPECT_GT(BoundsOf(placed).lo.y, 0.85);
    }
}

TEST_F(ContentTest, BallServesAsAimMarkerAndLabelDot) {
    const XMesh mesh = Mesh("ball.x");
    double r = 0;
    for (const P3& p : mesh.Positions) r = std::max(r, std::sqrt(Dot(p, p)));
    for (const P3& p : mesh.Positions) EXPECT_NEAR(std::sqrt(Dot(p, p)), r, 1e-5);
    // The marker, centred 0.5 above the table at scale 0.1, clears the felt.
    EXPECT_LT(r * 0.1, 0.5);
    EXPECT_GT(r * 0.1, 0.1);
    // Label dots sit 0.1 apart at scale 0.03: neighbours may touch, but a
    // blank cell between two dots stays visibly open.
    EXPECT_GE(2 * r * 0.03, 0.09);
    EXPECT_LE(2 * r * 0.03, 0.2 - 0.05);
}

TEST_F(ContentTest, SwinShelfHoldsFallenPiecesInsideTheRoom) {
    const XMesh mesh = Mesh("swin.x");
    // Scene units of the shelf are 0.4 mesh units; a piece at the origin
    // reaches 2.8 scene units out and 0.85 up.
    const double reach = 2.8 / 0.4;
    const double height = 0.85 / 0.4;
    double shelfLeft = 0, shelfRight = 0, shelfFront = 0;
    for (std::size_t i = 0; i < mesh.Positions.size(); ++i) {
        const P3 p = mesh.Positions[i];
        EXPECT_LE(p.z, 0.0) << "behind the room's wall";
        const bool pieceSpace = std::abs(p.x) < reach && p.z > -reach && p.y > 0 && p.y < height;
        EXPECT_FALSE(pieceSpace) << p.x << " " << p.y << " " << p.z;
        if (p.y == 0 && mesh.Normals[i].y > 0.99) {
            shelfLeft = std::min(shelfLeft, p.x);
            shelfRight = std::max(shelfRight, p.x);
            shelfFront = std::min(shelfFront, p.z);
        }
    }
    EXPECT_LE(shelfLeft, -reach);
    EXPECT_GE(shelfRight, reach);
    EXPECT_LE(shelfFront, -reach);
}

TEST_F(ContentTest, LampHangsFromTheCeilingAboveTheLight) {
    const Box b = BoundsOf(PlaceAll(Mesh("lamp.x"), {0.4, 0.4, 0.4}, 0, {25, 100, -25}));
    EXPECT_DOUBLE_EQ(b.hi.y, 100.0);
    // The point light hangs at 80 above the table; the lamp stays above it.
    EXPECT_GT(b.lo.y, 80.0);
}

TEST_F(ContentTest, BitmapsAreUncompressed24BitWithValidHeaders) {
    for (const char* name : {"gamedata/mesh/vembatable.bmp", "gamedata/pic/mingerb.bmp"}) {
        SCOPED_TRACE(name);
        const std::string b = Bytes(name);
        ASSERT_GE(b.size(), 54u);
        const auto u32 = [&](std::size_t at) { return U32(b, at); };
        const auto u16 = [&](std::size_t at) { return U32(b, at) & 0xFFFF; };
        EXPECT_EQ(b.substr(0, 2), "BM");
        EXPECT_EQ(u32(2), b.size());
        EXPECT_EQ(u32(10), 54u);
        EXPECT_EQ(u32(14), 40u);
        const std::uint32_t w = u32(18);
        const std::uint32_t h = u32(22);
        EXPECT_EQ(w, 256u);
        EXPECT_EQ(h, 256u);
        EXPECT_EQ(u16(26), 1u);
        EXPECT_EQ(u16(28), 24u);
        EXPECT_EQ(u32(30), 0u);
        EXPECT_EQ(u32(34), (w * 3 + 3) / 4 * 4 * h);
        EXPECT_EQ(b.size(), 54 + (w * 3 + 3) / 4 * 4 * h);
    }
}

}  // namespace
