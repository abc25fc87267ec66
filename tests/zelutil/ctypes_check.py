# A caller in another language reaches the exports by name through ctypes.
import ctypes
import sys

lib = ctypes.CDLL(sys.argv[1])
lib.InterpolateValue.argtypes = [ctypes.POINTER(ctypes.c_double), ctypes.POINTER(ctypes.c_double),
                                 ctypes.POINTER(ctypes.c_double), ctypes.c_int32, ctypes.c_double]
lib.InterpolateValue.restype = ctypes.c_int32
Table = ctypes.c_double * 5
y = ctypes.c_double(0)
assert lib.InterpolateValue(ctypes.byref(y), Table(1, 2, 3, 4, 5), Table(1, 8, 27, 64, 125), 5, 2.5) == 1
assert y.value == 15.625, y.value
lib.vbSelect.argtypes = [ctypes.c_uint32, ctypes.c_uint32, ctypes.POINTER(ctypes.c_double)]
lib.vbSelect.restype = ctypes.c_double
assert lib.vbSelect(5, 5, Table(3, 1, 4, 1, 5)) == 5
print("ctypes: all exports reached")
