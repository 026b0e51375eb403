// Pixel-exact collision between objects.
#include "object_fixture.h"

using CollisionTest = ObjectsTest;

static BITMAP *dot_bitmap(int w, int h, int dx, int dy) {
  BITMAP *bmp = create_bitmap_ex(16, w, h);
  clear_to_color(bmp, MASK_COLOUR_16);
  putpixel(bmp, dx, dy, 0x1234);
  return bmp;
}

static GameObject *place(int type, float x, float y) {
  GameObject *obj = object_at(add_object(0, 0, 2, type, 0));
  if (obj) {
    obj->x = x;
    obj->y = y;
  }
  return obj;
}

class CollisionScene : public CollisionTest {
 protected:
  void SetUp() override {
    CollisionTest::SetUp();
    // The ball is see-through but for one pixel at its right edge, the
    // landing mark is solid.
    BITMAP *ball = set_blank_frame(88, 10, 10);
    putpixel(ball, 9, 5, entry_colour(88));
    set_frame(94, 10, 10);
    ball_ = place(56, 0.0f, 0.0f);
    mark_ = place(59, 0.0f, 0.0f);
  }
  int collide_at(float x, float y) {
    mark_->x = x;
    mark_->y = y;
    int ab = objects_collide(ball_, mark_);
    EXPECT_EQ(objects_collide(mark_, ball_), ab) << "at " << x << ", " << y;
    return ab;
  }
  GameObject *ball_ = nullptr;
  GameObject *mark_ = nullptr;
};

TEST_F(CollisionScene, OnlyOpaquePixelsOnBothSidesCollide) {
  EXPECT_EQ(collide_at(10.0f, 0.0f), 0);
  EXPECT_EQ(collide_at(9.0f, 0.0f), 1);
  EXPECT_EQ(collide_at(9.0f, -4.0f), 1);
  EXPECT_EQ(collide_at(9.0f, 6.0f), 0);
  EXPECT_EQ(collide_at(9.0f, -5.0f), 0);
  EXPECT_EQ(collide_at(-9.0f, 0.0f), 0);
  EXPECT_EQ(collide_at(3.0f, 3.0f), 1);
  // Positions meet pixels by truncation toward zero.
  EXPECT_EQ(collide_at(9.9f, 5.9f), 1);
  ball_->x = 0.9f;
  EXPECT_EQ(collide_at(10.0f, 0.0f), 0);
  ball_->x = -0.9f;
  EXPECT_EQ(collide_at(9.0f, 0.0f), 1);
}

TEST_F(CollisionScene, FlippedObjectCollidesByItsMirroredImage) {
  ball_->flipped = 1;
  EXPECT_EQ(collide_at(9.0f, 0.0f), 0);
  EXPECT_EQ(collide_at(-9.0f, 0.0f), 1);
  EXPECT_EQ(collide_at(-9.0f, 6.0f), 0);
  ball_->flipped = 0;
  EXPECT_EQ(collide_at(-9.0f, 0.0f), 0);
}

TEST_F(CollisionScene, RemovedObjectsNeverCollide) {
  EXPECT_EQ(collide_at(5.0f, 0.0f), 1);
  remove_object(mark_);
  EXPECT_EQ(collide_at(5.0f, 0.0f), 0);
  EXPECT_EQ(objects_collide(ball_, nullptr), 0);
  EXPECT_EQ(objects_collide(nullptr, ball_), 0);
}

TEST_F(CollisionScene, CollidesWithTheFrameShownNow) {
  // The shot's picture moves its opaque pixel from the left edge to the
  // right once the object shows a frame of another shape.
  putpixel(set_blank_frame(312, 10, 10), 0, 5, entry_colour(312));
  GameObject *shot = place(51, 20.0f, 0.0f);
  mark_->x = 21.0f;
  EXPECT_EQ(objects_collide(shot, mark_), 0);
  shot->cur.frames[0] = 88;
  EXPECT_EQ(objects_collide(shot, mark_), 1);
}

TEST_F(CollisionTest, PixelTestWalksTheOverlapOfTwoPlacedBitmaps) {
  BITMAP *a = dot_bitmap(5, 5, 4, 4);
  BITMAP *b = dot_bitmap(5, 5, 1, 2);
  EXPECT_EQ(pixel_overlap(a, b, 0, 0, 3, 2), 1);
  EXPECT_EQ(pixel_overlap(b, a, 3, 2, 0, 0), 1);
  EXPECT_EQ(pixel_overlap(a, b, 0, 0, 3, 3), 0);
  EXPECT_EQ(pixel_overlap(a, b, 0, 0, 5, 2), 0);
  EXPECT_EQ(pixel_overlap(a, b, 0, 0, 30, 30), 0);
  EXPECT_EQ(pixel_overlap(a, b, 100, 100, 103, 102), 1);

  // Only high-colour bitmaps are compared.
  BITMAP *deep = create_bitmap_ex(32, 5, 5);
  clear_to_color(deep, makecol32(1, 2, 3));
  EXPECT_EQ(pixel_overlap(deep, b, 0, 0, 0, 0), 0);
  EXPECT_EQ(pixel_overlap(b, deep, 0, 0, 0, 0), 0);
  EXPECT_EQ(pixel_overlap(nullptr, b, 0, 0, 0, 0), 0);
  destroy_bitmap(deep);
  destroy_bitmap(a);
  destroy_bitmap(b);
}
