// The batched system draw against the particles' own draws: same pixels, same GL state after.
#include "ParticleSystem.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <GL/glu.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
struct Set : ParticleSystem {
    explicit Set(const std::string& texturePath) {
        paused = false;
        numForceFields = 0;
        numParticles = 0;
        testing::internal::CaptureStdout();
        setTexture(texturePath);
        testing::internal::GetCapturedStdout();
    }
    ~Set() override {
        for (int i = 0; i < numParticles; i++) delete myParticles[i];
    }
    Particle* add(Particle::particleType type, QOR3dVector at, float size, QORColor colour,
                  QOR3dVector velocity = default3dVector) {
        return myParticles[numParticles++] = new Particle(at, velocity, default3dVector, colour,
                                                          type, true, 10.0f, size, 1.0f);
    }
    GLuint texture() { return myTexture.GetID(); }
    void setCount(int n) { numParticles = n; }
};

float unit() { return std::rand() / (float)RAND_MAX; }
QOR3dVector somewhere() {
    return QOR3dVector(unit() * 3 - 1.5f, unit() * 3 - 1.5f, unit() * 2 - 1);
}
QORColor someColour() { return {unit(), unit(), unit(), 0.3f + 0.7f * unit()}; }

// Everything the particle draws could leave changed, as one list of numbers.
std::vector<GLfloat> glState() {
    GLboolean mask;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    std::vector<GLfloat> s = {(GLfloat)mask};
    for (GLenum cap : {GL_CULL_FACE, GL_TEXTURE_2D, GL_POINT_SMOOTH, GL_LINE_SMOOTH})
        s.push_back(glIsEnabled(cap));
    const std::pair<GLenum, int> values[] = {
        {GL_CURRENT_COLOR, 4}, {GL_CURRENT_NORMAL, 3},       {GL_CURRENT_TEXTURE_COORDS, 4},
        {GL_LINE_WIDTH, 1},    {GL_POINT_SIZE, 1},           {GL_MODELVIEW_MATRIX, 16},
        {GL_MATRIX_MODE, 1},   {GL_MODELVIEW_STACK_DEPTH, 1}, {GL_TEXTURE_BINDING_2D, 1}};
    for (const auto& v : values) {
        GLfloat got[16];
        glGetFloatv(v.first, got);
        s.insert(s.end(), got, got + v.second);
    }
    return s;
}

class SystemDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        // A 4x4 sprite of distinct texels, so a flipped or rotated square shows.
        std::vector<uint8_t> texels;
        for (int i = 0; i < 16; i++)
            texels.insert(texels.end(), {(uint8_t)(i * 16), (uint8_t)(255 - i * 12),
                                         (uint8_t)((i % 4) * 80), (uint8_t)(128 + i * 8)});
        texturePath = tgatest::writeTga(tgatest::tempPath("sprite.tga"), 4, 4, 32, texels);
        glMatrixMode(GL_PROJECTION);
        gluPerspective(40.0, 1.0, 1.0, 50.0);
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_DEPTH_TEST);
    }
    void TearDown() override {
        for (GLenum cap : {GL_DEPTH_TEST, GL_TEXTURE_2D, GL_LIGHTING, GL_BLEND, GL_COLOR_MATERIAL,
                           GL_NORMALIZE, GL_CULL_FACE, GL_LINE_SMOOTH})
            glDisable(cap);
        glDepthMask(GL_TRUE);
        GLTest::TearDown();
    }

    // Draws the set from the same starting state, one particle at a time or as a system.
    std::vector<unsigned char> render(Set& set, bool batched, std::vector<GLfloat>& after) {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, 0);  // the system must bind its own sprite
        glDisable(GL_TEXTURE_2D);
        glColor4f(0.5f, 0.25f, 0.75f, 1.0f);
        glNormal3f(0.6f, 0.0f, 0.8f);
        glTexCoord2f(0.5f, 0.5f);
        glLineWidth(1.0f);
        glPointSize(1.0f);
        glPushMatrix();
        glTranslatef(0.3f, -0.2f, -7.0f);
        glRotatef(35.0f, 1.0f, 2.0f, 0.5f);
        glScalef(1.3f, 0.8f, 1.1f);
        if (batched) {
            set.draw();
        } else {
            glBindTexture(GL_TEXTURE_2D, set.texture());
            for (int i = 0; i < set.getNumParticles(); i++) set.getParticle(i)->draw();
        }
        after = glState();
        glPopMatrix();
        glFinish();
        return testgl::readBack(0, 0, 800, 800);
    }

    // Pixels differing by more than tol in some channel, and the largest difference.
    static std::pair<int, int> compare(const std::vector<unsigned char>& a,
                                       const std::vector<unsigned char>& b, int tol) {
        int count = 0, largest = 0;
        for (size_t i = 0; i < a.size(); i += 4) {
            int d = 0;
            for (int c = 0; c < 3; c++) d = std::max(d, std::abs(a[i + c] - b[i + c]));
            largest = std::max(largest, d);
            count += d > tol;
        }
        return {count, largest};
    }
    int lit(const std::vector<unsigned char>& a) { return compare(a, black, 0).first; }

    std::string texturePath;
    const std::vector<unsigned char> black = std::vector<unsigned char>(800 * 800 * 4, 0);
};
}  // namespace

TEST_F(SystemDrawTest, BatchesMatchTheParticlesOwnDrawsInEveryBlendMode) {
    std::srand(11);
    Set fire(texturePath), fireworks(texturePath), mixed(texturePath);
    for (int i = 0; i < 300; i++)
        fire.add(Particle::PARTICLE_TRIANGLE_STRIP, somewhere(), 0.05f + 0.55f * unit(),
                 someColour());
    fire.getParticle(7)->setAlive(false);
    fire.getParticle(299)->setAlive(false);  // the last one is dead: the live one before decides
    for (int i = 0; i < 60; i++)
        fireworks.add(Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE, somewhere(), i % 3 ? 0.4f : 1.5f,
                      someColour(), QOR3dVector(unit() - 0.5f, unit(), unit() - 0.5f));
    const Particle::particleType kinds[] = {
        Particle::PARTICLE_POINT, Particle::PARTICLE_LINE, Particle::PARTICLE_POLYGON,
        Particle::PARTICLE_POLYGON_AND_LINE, Particle::PARTICLE_TRIANGLE_STRIP};
    for (int i = 0; i < 80; i++)
        mixed.add(kinds[i % 5], somewhere(), 0.5f + 6.0f * unit() * (i % 5 < 2),
                  someColour(), QOR3dVector(unit() - 0.5f, unit() - 0.5f, 0.3f));
    mixed.add(Particle::PARTICLE_POINT, somewhere(), 0.0f, someColour());  // draws nothing

    const GLfloat lightDir[] = {0.3f, 0.5f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightDir);
    glEnable(GL_LIGHT0);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    struct Mode {
        const char* name;
        bool blend;
        GLenum src, dst;
        bool lighting, normalize;
    } modes[] = {{"scene blend, lit", true, GL_SRC_ALPHA, GL_DST_ALPHA, true, true},
                 {"additive blend", true, GL_SRC_ALPHA, GL_ONE, false, false},
                 {"over blend, lit without normalising", true, GL_SRC_ALPHA,
                  GL_ONE_MINUS_SRC_ALPHA, true, false},
                 {"no blend", false, GL_ONE, GL_ZERO, false, false}};
    for (const Mode& mode : modes) {
        const std::pair<GLenum, bool> caps[] = {
            {GL_BLEND, mode.blend}, {GL_LIGHTING, mode.lighting}, {GL_NORMALIZE, mode.normalize}};
        for (auto cap : caps) cap.second ? glEnable(cap.first) : glDisable(cap.first);
        glBlendFunc(mode.src, mode.dst);
        for (Set* set : {&fire, &fireworks, &mixed}) {
            std::string what = std::string(mode.name) + ", set of " +
                               std::to_string(set->getNumParticles());
            std::vector<GLfloat> own, batched;
            std::vector<unsigned char> expected = render(*set, false, own);
            std::vector<unsigned char> actual = render(*set, true, batched);
            // Rounding of the eye-space corners may move an edge pixel; colours differ by at
            // most a unit or two elsewhere.
            std::pair<int, int> diff = compare(expected, actual, 2);
            EXPECT_GT(lit(expected), 5000) << what;
            EXPECT_LE(diff.first, 20) << what << ": largest difference " << diff.second;
            EXPECT_EQ(own, batched) << what;
        }
    }
}

TEST_F(SystemDrawTest, AllDeadSetDrawsNothingAndTouchesNoMoreThanItsParticles) {
    Set set(texturePath);
    set.add(Particle::PARTICLE_TRIANGLE_STRIP, default3dVector, 3.0f, defaultColor)
        ->setAlive(false);
    set.add(Particle::PARTICLE_POINT, default3dVector, 8.0f, defaultColor)->setAlive(false);
    glEnable(GL_CULL_FACE);  // states a live draw would reset
    glDepthMask(GL_FALSE);
    glEnable(GL_LINE_SMOOTH);
    std::vector<GLfloat> own, batched;
    EXPECT_EQ(lit(render(set, true, batched)), 0);
    EXPECT_EQ(lit(render(set, false, own)), 0);
    EXPECT_EQ(own, batched);
    Set broken(texturePath);  // a subclass that let its count go below zero
    broken.setCount(-3);
    EXPECT_EQ(lit(render(broken, true, batched)), 0);
    EXPECT_EQ((GLuint)batched.back(), broken.texture());  // still binds its sprite
}
