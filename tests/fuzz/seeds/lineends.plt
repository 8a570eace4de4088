bs
x 3 
 1  2 [Notes]