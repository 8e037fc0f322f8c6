// What a message send costs next to a virtual call: within one library (a
// class defined here), across shared libraries (a UIKit method sent from this
// program) and with two threads sending at once.
#include <UIKit/UIView.h>
#include <objc/message.h>

#include <benchmark/benchmark.h>

namespace {

class Shape {
  public:
    virtual ~Shape() = default;
    virtual double area() const = 0;
};

// Two implementations and no inlining: the call stays a real indirect call,
// as a virtual call to another class's code is.
class Square final : public Shape {
  public:
    explicit Square(double side) : m_side(side) {}
    [[gnu::noinline]] double area() const override { return m_side * m_side; }

  private:
    double m_side;
};

class Circle final : public Shape {
  public:
    explicit Circle(double radius) : m_radius(radius) {}
    [[gnu::noinline]] double area() const override { return 3.14159 * m_radius * m_radius; }

  private:
    double m_radius;
};

Shape* makeShape() {
    static Square square(3.0);
    static Circle circle(1.0);
    Shape* shapes[] = {&square, &circle};
    Shape* shape = shapes[0];
    benchmark::DoNotOptimize(shape);
    return shape;
}

class BenchSquare : public NSObject {
    RT_OBJECT(BenchSquare, NSObject)
    double m_side = 3.0;
};

RT_DEFINE_CLASS(BenchSquare, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"area">(), +[](id self, SEL) {
            const double side = static_cast<BenchSquare*>(self)->m_side;
            return side * side;
        });
})

void BM_VirtualCall(benchmark::State& state) {
    Shape* shape = makeShape();
    for (auto _ : state) {
        benchmark::DoNotOptimize(shape); // reloaded every time, as a send reloads its receiver
        benchmark::DoNotOptimize(shape->area());
    }
}
BENCHMARK(BM_VirtualCall);
BENCHMARK(BM_VirtualCall)->Threads(2);

void BM_MessageSend(benchmark::State& state) {
    static const auto square = rt::make<BenchSquare>();
    BenchSquare* receiver = square.get();
    for (auto _ : state) {
        benchmark::DoNotOptimize(receiver);
        benchmark::DoNotOptimize(rt::send<double()>(receiver, rt::sel<"area">()));
    }
}
BENCHMARK(BM_MessageSend);
BENCHMARK(BM_MessageSend)->Threads(2);

// "alpha" is implemented in libUIKit: the send site's signature object is this program's.
void BM_MessageSendAcrossLibraries(benchmark::State& state) {
    static const auto view = rt::make<UIView>();
    UIView* receiver = view.get();
    for (auto _ : state) {
        benchmark::DoNotOptimize(receiver);
        benchmark::DoNotOptimize(receiver->alpha());
    }
}
BENCHMARK(BM_MessageSendAcrossLibraries);
BENCHMARK(BM_MessageSendAcrossLibraries)->Threads(2);

} // namespace
