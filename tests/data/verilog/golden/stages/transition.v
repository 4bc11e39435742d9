//
// created by NOVRA
//	macro    : transition
//	function : transition modules
//	update   : @TIME@
//

module tran_5(
 i_a__r_i, i_a_a_o, i_a_d_i,
 i_b__r_i, i_b_a_o, i_b_d_i,
 i_c__r_i, i_c_a_o, i_c_d_i,
 o_o1__r_o, o_o1_a_i, o_o1_d_o,
 reset
);
input	i_a__r_i, i_a_d_i;
output	i_a_a_o;
input	i_b__r_i, i_b_d_i;
output	i_b_a_o;
input	i_c__r_i, i_c_d_i;
output	i_c_a_o;
input	o_o1_a_i;
output	o_o1__r_o, o_o1_d_o;
input	reset;
wire	i_1__r_i, i_1_d_i, i_1_a_o;
wire	i_2__r_i, i_2_d_i, i_2_a_o;
wire	i_3__r_i, i_3_d_i, i_3_a_o;
wire	o_1__r_o, o_1_d_o, o_1_a_i;
	wire	req;
	wire	data_1, data_2, data_3;
	assign	i_1__r_i = i_a__r_i,
			i_1_d_i = i_a_d_i,
			i_a_a_o = i_1_a_o;
	assign	i_2__r_i = i_b__r_i,
			i_2_d_i = i_b_d_i,
			i_b_a_o = i_2_a_o;
	assign	i_3__r_i = i_c__r_i,
			i_3_d_i = i_c_d_i,
			i_c_a_o = i_3_a_o;
	assign	o_o1__r_o = o_1__r_o,
			o_o1_d_o = o_1_d_o,
			o_1_a_i = o_o1_a_i;
	assign	i_1_a_o = req;
	assign	i_2_a_o = req;
	assign	i_3_a_o = req;
	pipe_3_1_r pipe(
		.i_1__r_i(i_1__r_i),
		.i_2__r_i(i_2__r_i),
		.i_3__r_i(i_3__r_i),
		.req_out(req),
		.o_1_a_i(o_1_a_i),
		.reset(reset)
		);
	DFR	inbuf_1_r(
		.C(req),
		.D(i_1_d_i),
		.Q(data_1),
		.XR(reset)
		);
	DFR	inbuf_2_r(
		.C(req),
		.D(i_2_d_i),
		.Q(data_2),
		.XR(reset)
		);
	DFR	inbuf_3_r(
		.C(req),
		.D(i_3_d_i),
		.Q(data_3),
		.XR(reset)
		);
/* synopsys dc_script_begin
   set_dont_touch {delay_1} 
*/
/* synopsys dc_script_begin
   set_dont_touch {func_1} 
*/
	delay_5_1	delay_1(
		.req_in(req),
		.req_out(o_1__r_o)
		);
	trafunc_1	func_1(
		.i1(data_1),
		.i2(data_2),
		.i3(data_3),
		.data_out(o_1_d_o)
		);
endmodule

module tran_9(
 i_i1__r_i, i_i1_a_o, i_i1_d_i,
 o_x__r_o, o_x_a_i, o_x_d_o,
 o_y__r_o, o_y_a_i, o_y_d_o,
 o_3__r_o, o_3_a_i, o_3_d_o,
 reset
);
input	i_i1__r_i, i_i1_d_i;
output	i_i1_a_o;
input	o_x_a_i;
output	o_x__r_o, o_x_d_o;
input	o_y_a_i;
output	o_y__r_o, o_y_d_o;
input	o_3_a_i;
output	o_3__r_o, o_3_d_o;
input	reset;
wire	i_1__r_i, i_1_d_i, i_1_a_o;
wire	o_1__r_o, o_1_d_o, o_1_a_i;
wire	o_2__r_o, o_2_d_o, o_2_a_i;
wire	o_3__r_o, o_3_d_o, o_3_a_i;
	wire	req;
	wire	data_1;
	assign	i_1__r_i = i_i1__r_i,
			i_1_d_i = i_i1_d_i,
			i_i1_a_o = i_1_a_o;
	assign	o_x__r_o = o_1__r_o,
			o_x_d_o = o_1_d_o,
			o_1_a_i = o_x_a_i;
	assign	o_y__r_o = o_2__r_o,
			o_y_d_o = o_2_d_o,
			o_2_a_i = o_y_a_i;
	assign	i_1_a_o = req;
	pipe_1_3_r pipe(
		.i_1__r_i(i_1__r_i),
		.req_out(req),
		.o_1_a_i(o_1_a_i),
		.o_2_a_i(o_2_a_i),
		.o_3_a_i(o_3_a_i),
		.reset(reset)
		);
	DFR	inbuf_1_r(
		.C(req),
		.D(i_1_d_i),
		.Q(data_1),
		.XR(reset)
		);
/* synopsys dc_script_begin
   set_dont_touch {delay_1,delay_2,delay_3} 
*/
/* synopsys dc_script_begin
   set_dont_touch {func_1,func_2} 
*/
	delay_9_1	delay_1(
		.req_in(req),
		.req_out(o_1__r_o)
		);
	trafunc_2	func_1(
		.i1(data_1),
		.data_out(o_1_d_o)
		);
	delay_9_2	delay_2(
		.req_in(req),
		.req_out(o_2__r_o)
		);
	trafunc_3	func_2(
		.i1(data_1),
		.data_out(o_2_d_o)
		);
//	このreqはデータパスを伴いません
	delay_9_3	delay_3(
		.req_in(req),
		.req_out(o_3__r_o)
		);
endmodule

module tran_11(
 i_a__r_i, i_a_a_o, i_a_d_i,
 i_b__r_i, i_b_a_o, i_b_d_i,
 i_c__r_i, i_c_a_o, i_c_d_i,
 i_4__r_i, i_4_a_o, i_4_d_i,
 o_o1__r_o, o_o1_a_i, o_o1_d_o,
 reset
);
input	i_a__r_i, i_a_d_i;
output	i_a_a_o;
input	i_b__r_i, i_b_d_i;
output	i_b_a_o;
input	i_c__r_i, i_c_d_i;
output	i_c_a_o;
input	i_4__r_i, i_4_d_i;
output	i_4_a_o;
input	o_o1_a_i;
output	o_o1__r_o, o_o1_d_o;
input	reset;
wire	i_1__r_i, i_1_d_i, i_1_a_o;
wire	i_2__r_i, i_2_d_i, i_2_a_o;
wire	i_3__r_i, i_3_d_i, i_3_a_o;
wire	o_1__r_o, o_1_d_o, o_1_a_i;
	wire	req;
	wire	data_1, data_2, data_3;
	assign	i_1__r_i = i_a__r_i,
			i_1_d_i = i_a_d_i,
			i_a_a_o = i_1_a_o;
	assign	i_2__r_i = i_b__r_i,
			i_2_d_i = i_b_d_i,
			i_b_a_o = i_2_a_o;
	assign	i_3__r_i = i_c__r_i,
			i_3_d_i = i_c_d_i,
			i_c_a_o = i_3_a_o;
	assign	o_o1__r_o = o_1__r_o,
			o_o1_d_o = o_1_d_o,
			o_1_a_i = o_o1_a_i;
	assign	i_1_a_o = req;
	assign	i_2_a_o = req;
	assign	i_3_a_o = req;
	assign	i_4_a_o = req;
	pipe_4_1_r pipe(
		.i_1__r_i(i_1__r_i),
		.i_2__r_i(i_2__r_i),
		.i_3__r_i(i_3__r_i),
		.i_4__r_i(i_4__r_i),
		.req_out(req),
		.o_1_a_i(o_1_a_i),
		.reset(reset)
		);
	DFR	inbuf_1_r(
		.C(req),
		.D(i_1_d_i),
		.Q(data_1),
		.XR(reset)
		);
	DFR	inbuf_2_r(
		.C(req),
		.D(i_2_d_i),
		.Q(data_2),
		.XR(reset)
		);
	DFR	inbuf_3_r(
		.C(req),
		.D(i_3_d_i),
		.Q(data_3),
		.XR(reset)
		);
/* synopsys dc_script_begin
   set_dont_touch {delay_1} 
*/
/* synopsys dc_script_begin
   set_dont_touch {func_1} 
*/
	delay_11_1	delay_1(
		.req_in(req),
		.req_out(o_1__r_o)
		);
	trafunc_4	func_1(
		.i1(data_1),
		.i2(data_2),
		.i3(data_3),
		.data_out(o_1_d_o)
		);
endmodule

module tran_20(
 i_i1__r_i, i_i1_a_o, i_i1_d_i,
 o_o1__r_o, o_o1_a_i, o_o1_d_o,
 reset
);
input	i_i1__r_i, i_i1_d_i;
output	i_i1_a_o;
input	o_o1_a_i;
output	o_o1__r_o, o_o1_d_o;
input	reset;
wire	i_1__r_i, i_1_d_i, i_1_a_o;
wire	o_1__r_o, o_1_d_o, o_1_a_i;
	wire	req;
	wire	data_1;
	assign	i_1__r_i = i_i1__r_i,
			i_1_d_i = i_i1_d_i,
			i_i1_a_o = i_1_a_o;
	assign	o_o1__r_o = o_1__r_o,
			o_o1_d_o = o_1_d_o,
			o_1_a_i = o_o1_a_i;
	assign	i_1_a_o = req;
//	ガード式
//	i1
	pipe_20 pipe(
		.i_1__r_i(i_1__r_i),
		.i1(i_1_d_i),
		.req_out(req),
		.o_1_a_i(o_1_a_i),
		.reset(reset)
		);
	DFR	inbuf_1_r(
		.C(req),
		.D(i_1_d_i),
		.Q(data_1),
		.XR(reset)
		);
/* synopsys dc_script_begin
   set_dont_touch {delay_1} 
*/
/* synopsys dc_script_begin
   set_dont_touch {func_1} 
*/
	delay_20_1	delay_1(
		.req_in(req),
		.req_out(o_1__r_o)
		);
	trafunc_2	func_1(
		.i1(data_1),
		.data_out(o_1_d_o)
		);
endmodule

module tran_22(
 i_i1__r_i, i_i1_a_o, i_i1_d_i,
 o_o1__r_o, o_o1_a_i, o_o1_d_o,
 reset
);
input	i_i1__r_i, i_i1_d_i;
output	i_i1_a_o;
input	o_o1_a_i;
output	o_o1__r_o, o_o1_d_o;
input	reset;
wire	i_1__r_i, i_1_d_i, i_1_a_o;
wire	o_1__r_o, o_1_d_o, o_1_a_i;
wire	o_2__r_o, o_2_d_o, o_2_a_i;
	wire	req;
	wire	data_1, data_2;
	supply1	hi;
	assign	i_1__r_i = i_i1__r_i,
			i_1_d_i = i_i1_d_i,
			i_i1_a_o = i_1_a_o;
	assign	o_o1__r_o = o_1__r_o,
			o_o1_d_o = o_1_d_o,
			o_1_a_i = o_o1_a_i;
	assign	i_1_a_o = req;
	pipe_1_2_s pipe(
		.i_1__r_i(i_1__r_i),
		.req_out(req),
		.o_1_a_i(o_1_a_i),
		.o_2_a_i(o_2_a_i),
		.reset(reset)
		);
	DFSR	inbuf_1_s(
		.C(req),
		.D(i_1_d_i),
		.Q(data_1),
		.XS(reset),
		.XR(hi),
		.XQ(w1)
		);
//	ループバックレジスタです
	DFNSR	inbuf_2_s(
		.XC(req),
		.D(i_2_d_i),
		.Q(data_2),
		.XS(reset),
		.XR(hi),
		.XQ(w2)
		);
/* synopsys dc_script_begin
   set_dont_touch {delay_1,delay_2} 
*/
/* synopsys dc_script_begin
   set_dont_touch {func_1,func_2} 
*/
	delay_22_1	delay_1(
		.req_in(req),
		.req_out(o_1__r_o)
		);
	trafunc_2	func_1(
		.i1(data_1),
		.data_out(o_1_d_o)
		);
	delay_22_2	delay_2(
		.req_in(req),
		.req_out(o_2__r_o)
		);
	trafunc_5	func_2(
		.i1(data_1),
		.i2(data_2),
		.data_out(o_2_d_o)
		);
	assign o_2_a_i = o_2__r_o;
	assign i_2_d_i = o_2_d_o;
endmodule
