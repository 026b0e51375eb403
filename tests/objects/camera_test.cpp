// Rendering the World through a camera and copying the view out.
#include "object_fixture.h"

static const int FILL = 0x1234;

class CameraTest : public ObjectsTest {
 protected:
  void SetUp() override {
    ObjectsTest::SetUp();
    dest_ = create_bitmap_ex(16, 400, 240);
    clear_to_color(dest_, FILL);
  }
  void TearDown() override {
    destroy_bitmap(dest_);
    ObjectsTest::TearDown();
  }
  // A main view of the usual size over a World of the given width.
  void main_view(int worldWidth, int background, int x) {
    begin_scene(worldWidth, 162, background);
    setup_camera(0, 314, 162);
    scroll_camera(0, x);
  }
  // Renders the main camera; the non-black pixels of its view.
  int render_main(void) {
    render_camera(0);
    int n = 0;
    for (int y = 0; y < view()->h; y++)
      for (int x = 0; x < view()->w; x++) n += getpixel(view(), x, y) != 0;
    return n;
  }
  BITMAP *view(void) { return Cameras[0].view; }
  BITMAP *dest_ = nullptr;
};

TEST_F(CameraTest, ScrollingKeepsTheViewInsideTheWorld) {
  struct Case { int worldWidth, scroll, x; };
  // A World narrower than the view pins it left of the World.
  const Case cases[] = {{3000, -50, 0}, {3000, 5000, 2686}, {3000, 1234, 1234}, {200, 0, -114}, {200, 80, -114}};
  for (const Case &c : cases) {
    main_view(c.worldWidth, -1, c.scroll);
    EXPECT_EQ(Cameras[0].x, c.x) << "World " << c.worldWidth << " scrolled to " << c.scroll;
    EXPECT_EQ(Cameras[0].y, 0);
    EXPECT_EQ(Cameras[0].id, 0);
  }
}

TEST_F(CameraTest, CullsAtBothEdgesByTheFirstFrameSize) {
  main_view(1000, -1, 100);
  set_frame(ENTRY_BALL, 10, 10);
  GameObject *ball = put(TYPE_BALL, 0, 0, 2);
  const float places[][3] = {{414, 50, 0}, {413, 50, 1}, {90, 50, 0}, {91, 50, 1},
                             {91, 162, 0}, {91, -10, 0}, {91, -9, 1}};
  for (const auto &p : places) {
    ball->x = p[0];
    ball->y = p[1];
    EXPECT_EQ(draw_object(0, ball), (int)p[2]) << "at " << p[0] << ", " << p[1];
  }
  remove_object(ball);

  // The figure's second picture is wider than its first; the first rules.
  set_frame(ENTRY_LINE_JUDGE, 10, 10);
  set_frame(ENTRY_LINE_JUDGE + 1, 40, 10);
  GameObject *figure = put(TYPE_LINE_JUDGE, 85, 20, 3);
  set_sequence(figure, SEQ_FLAG_OUT);
  EXPECT_EQ(render_main(), 0);
  figure->x = 95.0f;
  render_main();
  const int flag = entry_colour(ENTRY_LINE_JUDGE + 1);
  EXPECT_EQ(wrong_pixels(view(), {{0, 20, flag}, {34, 29, flag}, {35, 20, 0}}), "");
}

TEST_F(CameraTest, PositionsAreTruncatedTowardZero) {
  main_view(1000, -1, 0);
  GameObject *ball = put(TYPE_BALL, -0.5f, -0.5f, 2);
  render_main();
  EXPECT_EQ(wrong_pixels(view(), {{0, 0, entry_colour(ENTRY_BALL)}, {7, 7, entry_colour(ENTRY_BALL)}, {8, 0, 0}}), "");
  ball->x = 20.9f;
  render_main();
  EXPECT_EQ(wrong_pixels(view(), {{20, 0, entry_colour(ENTRY_BALL)}, {28, 0, 0}}), "");
}

TEST_F(CameraTest, FlippedObjectsAreDrawnMirrored) {
  main_view(1000, -1, 0);
  BITMAP *frame = set_frame(ENTRY_BALL, 8, 8);
  rectfill(frame, 0, 0, 1, 7, entry_colour(ENTRY_DUST));
  GameObject *ball = put(TYPE_BALL, 10, 10, 2);
  render_main();
  EXPECT_EQ(wrong_pixels(view(), {{10, 12, entry_colour(ENTRY_DUST)}, {17, 12, entry_colour(ENTRY_BALL)}}), "");
  ball->flipped = 1;
  render_main();
  EXPECT_EQ(wrong_pixels(view(), {{10, 12, entry_colour(ENTRY_BALL)}, {17, 12, entry_colour(ENTRY_DUST)}}), "");
}

TEST_F(CameraTest, LayersThenSlotsDecideWhatIsOnTop) {
  main_view(1000, -1, 0);
  GameObject *high = put(TYPE_BALL, 10, 10, 5);
  put(TYPE_LANDING_MARK, 10, 10, 4);
  GameObject *later = put(TYPE_BALLOON_STAND, 14, 10, 4);
  GameObject *top = put(TYPE_CATAPULT, 40, 40, 9);
  GameObject *over = put(TYPE_BALL_SHADOW, 60, 40, 10);
  GameObject *under = put(TYPE_DUST, 80, 40, -1);
  EXPECT_EQ(render_main(), 64 + 32 + 64);
  EXPECT_EQ(wrong_pixels(view(), {{12, 12, entry_colour(ENTRY_BALL)}, {20, 12, entry_colour(ENTRY_BALLOON_STAND)},
                                  {40, 40, entry_colour(ENTRY_CATAPULT)}, {60, 40, 0}, {80, 40, 0}}), "");
  high->x = 200.0f;
  render_main();
  EXPECT_EQ(wrong_pixels(view(), {{12, 12, entry_colour(ENTRY_LANDING_MARK)}, {15, 12, entry_colour(ENTRY_BALLOON_STAND)}}), "");
  later->layer = 3;
  top->layer = 0;
  render_main();
  EXPECT_EQ(wrong_pixels(view(), {{15, 12, entry_colour(ENTRY_LANDING_MARK)}, {40, 40, entry_colour(ENTRY_CATAPULT)}}), "");
  remove_object(top);
  over->layer = 9;
  under->layer = 0;
  render_main();
  EXPECT_EQ(wrong_pixels(view(), {{40, 40, 0}, {60, 40, entry_colour(ENTRY_BALL_SHADOW)},
                                  {80, 40, entry_colour(ENTRY_DUST)}}), "");
}

TEST_F(CameraTest, BackgroundIsCutAtTheCameraPosition) {
  BITMAP *track = set_frame(ENTRY_WORLD_SPRINT, 3000, 162);
  for (int x = 0; x < 3000; x++) vline(track, x, 0, 161, 0x0100 + x);
  rectfill(track, 2700, 100, 2710, 110, MASK_COLOUR_16);
  main_view(3000, ENTRY_WORLD_SPRINT, 5000);
  render_main();
  EXPECT_EQ(wrong_pixels(view(), {{0, 0, 0x0100 + 2686}, {313, 161, 0x0100 + 2999}, {14, 100, MASK_COLOUR_16}}), "");

  // Mask colour in the view lets the destination show; black does not.
  blit_camera(dest_, 0, 3, 51, 1);
  EXPECT_EQ(wrong_pixels(dest_, {{3, 51, 0x0100 + 2686}, {17, 151, FILL}, {316, 212, 0x0100 + 2999},
                                 {317, 51, FILL}, {2, 51, FILL}}), "");
  World.background = -1;
  put(TYPE_BALL, 2700, 0, 1);
  EXPECT_EQ(render_main(), 64);
  blit_camera(dest_, 0, 3, 51, 1);
  EXPECT_EQ(wrong_pixels(dest_, {{17, 151, 0}, {17, 51, entry_colour(ENTRY_BALL)}}), "");
}

TEST_F(CameraTest, EnlargedInsetCoversTwiceItsSize) {
  main_view(1700, -1, 0);
  setup_camera(1, 32, 18);
  Cameras[1].x = 500;
  Cameras[1].y = 60;
  put(TYPE_BALL, 504, 64, 2);
  render_camera(1);
  blit_camera(dest_, 1, 10, 10, 2);
  EXPECT_EQ(wrong_pixels(dest_, {{10, 10, 0}, {73, 45, 0}, {74, 10, FILL}, {10, 46, FILL}, {9, 10, FILL},
                                 {18, 18, entry_colour(ENTRY_BALL)}, {33, 33, entry_colour(ENTRY_BALL)}, {34, 34, 0}}), "");
}

TEST_F(CameraTest, CamerasWithoutAViewDrawNothing) {
  begin_scene(628, 162, -1);
  GameObject *shot = put(TYPE_SHOT, 0, 0, 5);
  auto draws = [&](int camera) {
    render_camera(camera);
    blit_camera(dest_, camera, 0, 0, 1);
    blit_camera(dest_, camera, 0, 0, 2);
    return draw_object(camera, shot);
  };
  // Before setup_camera a camera is 0 x 0; one set up 0 wide has no view.
  setup_camera(0, 0, 10);
  EXPECT_EQ(Cameras[0].view, nullptr);
  for (int camera : {1, 0, 2, -1}) EXPECT_EQ(draws(camera), 0) << "camera " << camera;
  setup_camera(0, 314, 162);
  end_scene();
  EXPECT_EQ(Cameras[0].view, nullptr);
  EXPECT_EQ(Cameras[1].view, nullptr);
  for (int camera : {0, 1, 5}) EXPECT_EQ(draws(camera), 0) << "camera " << camera << " after the scene";
  EXPECT_EQ(pixel_at(dest_, 0, 0), FILL);
}
