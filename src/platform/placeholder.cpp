// Placeholder so that the layer builds before its first unit lands.
namespace platform {}
